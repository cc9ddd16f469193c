<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>Info über Tunecrate</source>
        <translation>Info über Tunecrate</translation>
    </message>
    <message>
        <source>Tunecrate Version 1.1</source>
        <translation>Tunecrate Version 1.1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CDriveDlg</name>
    <message>
        <source>Drives</source>
        <translation>Laufwerke</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Please select your target drive.</source>
        <translation>Bitte das Ziellaufwerk wählen.</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
</context>
<context>
    <name>CExtensionsDlg</name>
    <message>
        <source>Music File Extensions</source>
        <translation>Musikdatei-Erweiterungen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>New music file extension:</source>
        <translation>Neue Erweiterung:</translation>
    </message>
    <message>
        <source>Registered music file extensions:</source>
        <translation>Registrierte Erweiterungen:</translation>
    </message>
    <message>
        <source>&amp;Remove Extension</source>
        <translation>Erweiterung &amp;entfernen</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Neu	Strg+N</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Strg+O</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Speichern	Strg+S</translation>
    </message>
    <message>
        <source>Save &amp;As...	Ctrl+F2</source>
        <translation>Speichern &amp;unter...	Strg+F2</translation>
    </message>
    <message>
        <source>Start &amp;Transfer to Stick</source>
        <translation>Über&amp;tragung auf den Stick starten</translation>
    </message>
    <message>
        <source>Select Stick &amp;Drive...</source>
        <translation>Stick-&amp;Laufwerk wählen...</translation>
    </message>
    <message>
        <source>Music File &amp;Extensions...</source>
        <translation>Musikdatei-&amp;Erweiterungen...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Add Music Directory</source>
        <translation>Musik-Verzeichnis &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove Music Directory</source>
        <translation>Musik-Verzeichnis &amp;entfernen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Symbolleiste</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>S&amp;tatusleiste</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>&amp;Help Contents	F1</source>
        <translation>&amp;Hilfethemen	F1</translation>
    </message>
    <message>
        <source>&amp;About Tunecrate</source>
        <translation>Inf&amp;o über Tunecrate</translation>
    </message>
</context>
<context>
    <name>DriveInfo</name>
    <message>
        <source>Drive type cannot be determined.</source>
        <translation>Laufwerkstyp kann nicht bestimmt werden.</translation>
    </message>
    <message>
        <source>Root directory does not exist.</source>
        <translation>Stammverzeichnis existiert nicht.</translation>
    </message>
    <message>
        <source>Floppy Disc Drive</source>
        <translation>Diskettenlaufwerk</translation>
    </message>
    <message>
        <source>Removable Drive</source>
        <translation>Wechseldatenträger</translation>
    </message>
    <message>
        <source>Hard Disc</source>
        <translation>Festplatte</translation>
    </message>
    <message>
        <source>Remote (Network) Drive.</source>
        <translation>Netzlaufwerk.</translation>
    </message>
    <message>
        <source>CD-/DVD-ROM drive</source>
        <translation>CD-/DVD-ROM-Laufwerk</translation>
    </message>
    <message>
        <source>RAM disk</source>
        <translation>RAM-Disk</translation>
    </message>
    <message>
        <source>Bytes total: </source>
        <translation>Bytes gesamt: </translation>
    </message>
    <message>
        <source>Bytes free: </source>
        <translation>Bytes frei: </translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Tunecrate

Tcrate


Tunecrate.Document
Tcrate Document</source>
        <translation>Tunecrate

Tcrate


Tunecrate.Document
Tcrate-Dokument</translation>
    </message>
    <message>
        <source>Add a music directory to the current collection.
Add Music Directory</source>
        <translation>Fügt der aktuellen Sammlung ein Musik-Verzeichnis hinzu.
Musik-Verzeichnis hinzufügen</translation>
    </message>
    <message>
        <source>Remove a music directory from the current collection.
Remove Music Directory</source>
        <translation>Entfernt ein Musik-Verzeichnis aus der aktuellen Sammlung.
Musik-Verzeichnis entfernen</translation>
    </message>
    <message>
        <source>Select the USB Stick Drive.
Select Stick Drive</source>
        <translation>Wählt das Laufwerk des USB-Sticks.
Stick-Laufwerk wählen</translation>
    </message>
    <message>
        <source>Set the music file extensions.
Music File Extensions</source>
        <translation>Legt die Erweiterungen der Musikdateien fest.
Musikdatei-Erweiterungen</translation>
    </message>
    <message>
        <source>Start file transfer to MP3 stick.
Start File Transfer</source>
        <translation>Startet die Übertragung auf den MP3-Stick.
Übertragung starten</translation>
    </message>
    <message>
        <source>Tunecrate</source>
        <translation>Tunecrate</translation>
    </message>
    <message>
        <source>Press F1 for help.</source>
        <translation>Drücken Sie F1, um Hilfe zu erhalten.</translation>
    </message>
    <message>
        <source>Select the object you wish to get help for.</source>
        <translation>Wählen Sie das Objekt, zu dem Sie Hilfe wünschen.</translation>
    </message>
    <message>
        <source>Create a new music collection.
New Music Collection</source>
        <translation>Legt eine neue Musiksammlung an.
Neue Musiksammlung</translation>
    </message>
    <message>
        <source>Open an existing music collection.
Open Music Collection</source>
        <translation>Öffnet eine vorhandene Musiksammlung.
Musiksammlung öffnen</translation>
    </message>
    <message>
        <source>Close the active music collection.
Close</source>
        <translation>Schließt die aktive Musiksammlung.
Schließen</translation>
    </message>
    <message>
        <source>Save the active music collection.
Save</source>
        <translation>Speichert die aktive Musiksammlung.
Speichern</translation>
    </message>
    <message>
        <source>Save a music collection under a new name.
Save As</source>
        <translation>Speichert die Musiksammlung unter einem neuen Namen.
Speichern unter</translation>
    </message>
    <message>
        <source>Shows program information, version number, and copyright.
About Tunecrate</source>
        <translation>Zeigt Programminformationen, Versionsnummer und Copyright an.
Info über Tunecrate</translation>
    </message>
    <message>
        <source>Exit Tunecrate.
Exit</source>
        <translation>Beendet Tunecrate.
Beenden</translation>
    </message>
    <message>
        <source>Show help topics.
Help Topics</source>
        <translation>Zeigt die Hilfethemen an.
Hilfethemen</translation>
    </message>
    <message>
        <source>Show / remove the toolbar.
Toggle Toolbar</source>
        <translation>Blendet die Symbolleiste ein oder aus.
Symbolleiste ein/aus</translation>
    </message>
    <message>
        <source>Show / remove the status bar.
Toggle Status Bar</source>
        <translation>Blendet die Statusleiste ein oder aus.
Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>Add music directory</source>
        <translation>Musik-Verzeichnis hinzufügen</translation>
    </message>
    <message>
        <source>Opens this music collection.</source>
        <translation>Öffnet diese Musiksammlung.</translation>
    </message>
</context>
</TS>
