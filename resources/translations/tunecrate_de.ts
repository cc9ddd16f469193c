<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>BusyTask</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stopping...</source>
        <translation>Wird angehalten...</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Copyright © Vornhollow</source>
        <translation>Copyright © Vornhollow</translation>
    </message>
    <message>
        <source>Fresh music for your stick.</source>
        <translation>Frische Musik für Ihren Stick.</translation>
    </message>
    <message>
        <source>Free software under the &lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;GNU GPL version 3 or later&lt;/a&gt;.</source>
        <translation>Freie Software unter der &lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;GNU GPL Version 3 oder später&lt;/a&gt;.</translation>
    </message>
    <message>
        <source>About Tunecrate</source>
        <translation>Info über Tunecrate</translation>
    </message>
</context>
<context>
    <name>CDirectoryList</name>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Songs</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Not yet transferred</source>
        <translation>Noch nicht übertragen</translation>
    </message>
    <message>
        <source>%1 (not available)</source>
        <translation>%1 (nicht verfügbar)</translation>
    </message>
    <message>
        <source>No music folders yet.
Type a folder&apos;s path above and press Enter, click Add Folder, or drop folders here.</source>
        <translation>Noch keine Musikordner.
Geben Sie oben den Pfad eines Ordners ein und drücken Sie die Eingabetaste, klicken Sie auf „Ordner hinzufügen“ oder ziehen Sie Ordner hierher.</translation>
    </message>
</context>
<context>
    <name>CDocumentUi</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>The music selection %1 was changed by another program since it was read.

Reload it (your changes here are dropped), overwrite it (the other program&apos;s changes are lost), or cancel?</source>
        <translation>Die Musikauswahl %1 wurde seit dem Lesen von einem anderen Programm geändert.

Neu laden (Ihre Änderungen hier gehen verloren), überschreiben (die Änderungen des anderen Programms gehen verloren) oder abbrechen?</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>Über&amp;schreiben</translation>
    </message>
</context>
<context>
    <name>CDriveDlg</name>
    <message>
        <source>No drive for music is mounted. Plug the stick in, then press Refresh.</source>
        <translation>Es ist kein Laufwerk für Musik eingehängt. Stecken Sie den Stick ein und klicken Sie dann auf „Aktualisieren“.</translation>
    </message>
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
    <message>
        <source>%1 free</source>
        <translation>%1 frei</translation>
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
    <message>
        <source>A file type cannot be empty.</source>
        <translation>Ein Dateityp darf nicht leer sein.</translation>
    </message>
    <message>
        <source>A file type cannot hold blanks or control characters.</source>
        <translation>Ein Dateityp darf keine Leer- oder Steuerzeichen enthalten.</translation>
    </message>
    <message>
        <source>A file type cannot hold * or ?.</source>
        <translation>Ein Dateityp darf kein * oder ? enthalten.</translation>
    </message>
    <message>
        <source>A file type cannot hold / or \.</source>
        <translation>Ein Dateityp darf kein / oder \ enthalten.</translation>
    </message>
    <message>
        <source>A file type has at most %1 characters.</source>
        <translation>Ein Dateityp hat höchstens %1 Zeichen.</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Stick &amp;Layout...</source>
        <translation>Stick-&amp;Aufteilung...</translation>
    </message>
    <message>
        <source>Choose folders, numbers, playlist and draws for the stick
Stick Layout</source>
        <translation>Ordner, Nummern, Wiedergabeliste und Auswahl für den Stick festlegen
Stick-Aufteilung</translation>
    </message>
    <message>
        <source>Put the Stick in &amp;Play Order…</source>
        <translation>Stick in Abspiel&amp;reihenfolge bringen…</translation>
    </message>
    <message>
        <source>Put the songs on the stick on disc in the order of its playlist
Play Order</source>
        <translation>Die Titel auf dem Stick in der Reihenfolge seiner Wiedergabeliste ablegen
Abspielreihenfolge</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
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
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
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
        <source>&amp;About Tunecrate</source>
        <translation>Inf&amp;o über Tunecrate</translation>
    </message>
    <message>
        <source>Tunecrate</source>
        <translation>Tunecrate</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Symbolleiste</translation>
    </message>
    <message>
        <source>Tunecrate Help</source>
        <translation>Tunecrate-Hilfe</translation>
    </message>
    <message>
        <source>guide.html</source>
        <translation>guide_de.html</translation>
    </message>
    <message>
        <source>The collection %1 is no longer there; it was taken off the list.</source>
        <translation>Die Sammlung %1 ist nicht mehr vorhanden; sie wurde aus der Liste genommen.</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Add Music Directory...</source>
        <translation>Musik-Verzeichnis &amp;hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Help Contents</source>
        <translation>&amp;Hilfethemen</translation>
    </message>
    <message>
        <source>What&apos;s &amp;This?</source>
        <translation>&amp;Direkthilfe</translation>
    </message>
    <message>
        <source>What&apos;s This?</source>
        <translation>Direkthilfe</translation>
    </message>
    <message>
        <source>Stop &amp;Transfer</source>
        <translation>Über&amp;tragung anhalten</translation>
    </message>
    <message>
        <source>Start &amp;Transfer to Stick</source>
        <translation>Über&amp;tragung auf den Stick starten</translation>
    </message>
</context>
<context>
    <name>CStickLayoutDlg</name>
    <message>
        <source>Stick Layout</source>
        <translation>Stick-Aufteilung</translation>
    </message>
    <message>
        <source>all in the root</source>
        <translation>alle im Hauptordner</translation>
    </message>
    <message>
        <source>Songs per &amp;folder:</source>
        <translation>Titel pro &amp;Ordner:</translation>
    </message>
    <message>
        <source>Numbered folders 01, 02, ... with at most this many songs, for car stereos.</source>
        <translation>Nummerierte Ordner 01, 02, ... mit höchstens so vielen Titeln, für Autoradios.</translation>
    </message>
    <message>
        <source>&amp;Number the songs</source>
        <translation>Titel &amp;nummerieren</translation>
    </message>
    <message>
        <source>Names start with 001, 002, ... so players that sort by name keep the order.</source>
        <translation>Namen beginnen mit 001, 002, ..., damit Player, die nach Namen sortieren, die Reihenfolge halten.</translation>
    </message>
    <message>
        <source>Write a &amp;playlist</source>
        <translation>&amp;Wiedergabeliste schreiben</translation>
    </message>
    <message>
        <source>Tunecrate.m3u8 lists the songs on the stick in the order they were copied.</source>
        <translation>Tunecrate.m3u8 listet die Titel auf dem Stick in der Reihenfolge, in der sie kopiert wurden.</translation>
    </message>
    <message>
        <source>any song</source>
        <translation>beliebiger Titel</translation>
    </message>
    <message>
        <source>a folder first</source>
        <translation>erst einen Ordner</translation>
    </message>
    <message>
        <source>&amp;Draw:</source>
        <translation>&amp;Auswahl:</translation>
    </message>
    <message>
        <source>A folder first: a big box set gets no more turns than a single album.</source>
        <translation>Erst einen Ordner: Eine große Sammlung kommt nicht öfter dran als ein einzelnes Album.</translation>
    </message>
    <message>
        <source>%1 per folder</source>
        <translation>%1 pro Ordner</translation>
    </message>
    <message>
        <source>numbered</source>
        <translation>nummeriert</translation>
    </message>
    <message>
        <source>playlist</source>
        <translation>Wiedergabeliste</translation>
    </message>
    <message>
        <source>folder first</source>
        <translation>erst Ordner</translation>
    </message>
    <message>
        <source>no limit</source>
        <translation>keine Grenze</translation>
    </message>
    <message>
        <source>Player&apos;s most &amp;songs in a folder:</source>
        <translation>Höchstens &amp;Titel pro Ordner (Gerät):</translation>
    </message>
    <message>
        <source>Often 255; the root counts too, and songs per folder stay below it.</source>
        <translation>Oft 255; der Hauptordner zählt mit, Titel pro Ordner bleiben darunter.</translation>
    </message>
    <message>
        <source>Player&apos;s most f&amp;olders:</source>
        <translation>&amp;Höchstens Ordner (Gerät):</translation>
    </message>
    <message>
        <source>Often 254 or 700.</source>
        <translation>Oft 254 oder 700.</translation>
    </message>
</context>
<context>
    <name>CTunecrateApp</name>
    <message>
        <source>Fills a USB music stick with music drawn at random from your collection.</source>
        <translation>Füllt einen USB-Musikstick mit zufällig aus Ihrer Sammlung gezogener Musik.</translation>
    </message>
    <message>
        <source>Use FILE as the program settings file.</source>
        <translation>DATEI als Einstellungsdatei des Programms verwenden.</translation>
    </message>
    <message>
        <source>A collection file to open.</source>
        <translation>Eine zu öffnende Sammlungsdatei.</translation>
    </message>
    <message>
        <source>Only one collection file can be opened.</source>
        <translation>Es kann nur eine Sammlungsdatei geöffnet werden.</translation>
    </message>
    <message>
        <source>No such collection file: %1</source>
        <translation>Sammlungsdatei nicht gefunden: %1</translation>
    </message>
</context>
<context>
    <name>CTunecrateView</name>
    <message>
        <source>Stick layout: File &gt; Stick Layout...</source>
        <translation>Stick-Aufteilung: Datei &gt; Stick-Aufteilung...</translation>
    </message>
    <message>
        <source>Add Music Directory</source>
        <translation>Musik-Verzeichnis hinzufügen</translation>
    </message>
    <message>
        <source>Add a music directory to the current collection.</source>
        <translation>Fügt der aktuellen Sammlung ein Musik-Verzeichnis hinzu.</translation>
    </message>
    <message>
        <source>Remove Music Directory</source>
        <translation>Musik-Verzeichnis entfernen</translation>
    </message>
    <message>
        <source>Remove a music directory from the current collection.</source>
        <translation>Entfernt ein Musik-Verzeichnis aus der aktuellen Sammlung.</translation>
    </message>
    <message>
        <source>Select Stick Drive</source>
        <translation>Stick-Laufwerk wählen</translation>
    </message>
    <message>
        <source>Select the USB Stick Drive.</source>
        <translation>Wählt das Laufwerk des USB-Sticks.</translation>
    </message>
    <message>
        <source>Music Collection</source>
        <translation>Musiksammlung</translation>
    </message>
    <message>
        <source>Music File Extensions</source>
        <translation>Musikdatei-Erweiterungen</translation>
    </message>
    <message>
        <source>Set the music file extensions.</source>
        <translation>Legt die Erweiterungen der Musikdateien fest.</translation>
    </message>
    <message>
        <source>Start File Transfer</source>
        <translation>Dateiübertragung starten</translation>
    </message>
    <message>
        <source>Start file transfer to MP3 stick. Click again to stop.</source>
        <translation>Startet die Dateiübertragung auf den MP3-Stick. Ein weiterer Klick hält sie an.</translation>
    </message>
    <message>
        <source>&amp;Delete old music files from stick</source>
        <translation>Alte Musikdateien vom Stick &amp;löschen</translation>
    </message>
    <message>
        <source>Free space unknown</source>
        <translation>Freier Platz unbekannt</translation>
    </message>
    <message>
        <source>Ejecting the stick...</source>
        <translation>Stick wird ausgeworfen...</translation>
    </message>
    <message>
        <source>Waiting for the transfer to stop...</source>
        <translation>Warte auf das Ende der Übertragung...</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1:
%2</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden:
%2</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Nothing was deleted or copied.</source>
        <translation>Es wurde nichts gelöscht oder kopiert.</translation>
    </message>
    <message>
        <source>No music file types are set, so no music can be found. Set them under Music File Extensions first.</source>
        <translation>Es sind keine Musik-Dateitypen eingestellt, daher kann keine Musik gefunden werden. Stellen Sie sie zuerst unter Musikdatei-Erweiterungen ein.</translation>
    </message>
    <message>
        <source>Songs: %1, not yet transferred: %2</source>
        <translation>Titel: %1, noch nicht übertragen: %2</translation>
    </message>
    <message>
        <source>not available: %1</source>
        <translation>nicht verfügbar: %1</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 music folders added</source>
        <translation>%1 Musikordner hinzugefügt</translation>
    </message>
    <message>
        <source>Type a folder&apos;s path and press Enter</source>
        <translation>Pfad eines Ordners eingeben und Eingabetaste drücken</translation>
    </message>
    <message>
        <source>Type the path of a music directory here and press Enter to add it to the collection.</source>
        <translation>Geben Sie hier den Pfad eines Musik-Verzeichnisses ein und drücken Sie die Eingabetaste, um es der Sammlung hinzuzufügen.</translation>
    </message>
    <message>
        <source>&amp;New Music Directory:</source>
        <translation>&amp;Neues Musik-Verzeichnis:</translation>
    </message>
    <message>
        <source>&amp;Add Folder...</source>
        <translation>&amp;Ordner hinzufügen...</translation>
    </message>
    <message>
        <source>The music directories of the collection with their songs. Select rows to remove them.</source>
        <translation>Die Musik-Verzeichnisse der Sammlung mit ihren Titeln. Markieren Sie Zeilen, um sie zu entfernen.</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Music File E&amp;xtensions...</source>
        <translation>Musikdatei-E&amp;rweiterungen...</translation>
    </message>
    <message>
        <source>Stick</source>
        <translation>Stick</translation>
    </message>
    <message>
        <source>Select Stic&amp;k...</source>
        <translation>Stic&amp;k wählen...</translation>
    </message>
    <message>
        <source>Stick &amp;Layout...</source>
        <translation>Stick-Auf&amp;teilung...</translation>
    </message>
    <message>
        <source>Stick Layout</source>
        <translation>Stick-Aufteilung</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>No stick selected: choose it with Select Stick.</source>
        <translation>Kein Stick gewählt: wählen Sie ihn mit „Stick wählen“.</translation>
    </message>
    <message>
        <source>The stick is not plugged in.</source>
        <translation>Der Stick ist nicht eingesteckt.</translation>
    </message>
    <message>
        <source>No volume label</source>
        <translation>Keine Datenträgerbezeichnung</translation>
    </message>
    <message>
        <source>Label: %1</source>
        <translation>Bezeichnung: %1</translation>
    </message>
    <message>
        <source>%1 is a file, not a folder.</source>
        <translation>%1 ist eine Datei, kein Ordner.</translation>
    </message>
    <message>
        <source>%1 has subfolders.</source>
        <translation>%1 hat Unterordner.</translation>
    </message>
    <message>
        <source>Add every folder below it that holds music, each as a music directory of its own?</source>
        <translation>Jeden Ordner darunter, der Musik enthält, als eigenes Musik-Verzeichnis hinzufügen?</translation>
    </message>
    <message>
        <source>Looking for music folders below %1: %2 folders looked through</source>
        <translation>Suche Musikordner unter %1: %2 Ordner durchsucht</translation>
    </message>
    <message>
        <source>Cancelled: no folders were added.</source>
        <translation>Abgebrochen: Es wurden keine Ordner hinzugefügt.</translation>
    </message>
    <message>
        <source>Adding music folders...</source>
        <translation>Musikordner werden hinzugefügt...</translation>
    </message>
    <message>
        <source>E&amp;ject the stick when done</source>
        <translation>Stick nach dem Kopieren aus&amp;werfen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>%1 songs copied, %2 MB of %3 MB</source>
        <translation>%1 Titel kopiert, %2 MB von %3 MB</translation>
    </message>
    <message>
        <source>%1 MB/s</source>
        <translation>%1 MB/s</translation>
    </message>
    <message>
        <source>about %1 min left</source>
        <translation>noch etwa %1 min</translation>
    </message>
    <message>
        <source>about %1 s left</source>
        <translation>noch etwa %1 s</translation>
    </message>
    <message>
        <source>Counting what is on the stick...</source>
        <translation>Der Inhalt des Sticks wird gezählt...</translation>
    </message>
    <message>
        <source>Putting the stick in play order...</source>
        <translation>Der Stick wird in Abspielreihenfolge gebracht...</translation>
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
<context>
    <name>UserMessage</name>
    <message>
        <source>Deleting old music files</source>
        <translation>Alte Musikdateien werden gelöscht</translation>
    </message>
    <message>
        <source>Copying: %1</source>
        <translation>Kopiere: %1</translation>
    </message>
    <message>
        <source>Finished copying</source>
        <translation>Kopieren beendet</translation>
    </message>
    <message>
        <source>Index error!</source>
        <translation>Indexfehler!</translation>
    </message>
    <message>
        <source>No stick drive chosen</source>
        <translation>Kein Stick-Laufwerk gewählt</translation>
    </message>
    <message>
        <source>%1 MB free</source>
        <translation>%1 MB frei</translation>
    </message>
    <message>
        <source>Stick not found: %1</source>
        <translation>Stick nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Not the root of a mounted drive: %1</source>
        <translation>Nicht das Stammverzeichnis eines eingehängten Laufwerks: %1</translation>
    </message>
    <message>
        <source>Cannot read the free space of %1</source>
        <translation>Der freie Speicher von %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>The stick is gone: %1</source>
        <translation>Der Stick ist nicht mehr da: %1</translation>
    </message>
    <message>
        <source>The stick&apos;s folder is full: %1</source>
        <translation>Der Ordner des Sticks ist voll: %1</translation>
    </message>
    <message>
        <source>Cannot make the folder %1: %2</source>
        <translation>Der Ordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Copying stopped: %1</source>
        <translation>Kopieren abgebrochen: %1</translation>
    </message>
    <message>
        <source>the name is taken or not allowed on the stick: %1</source>
        <translation>der Name ist auf dem Stick vergeben oder nicht erlaubt: %1</translation>
    </message>
    <message>
        <source>the name is taken on the stick: %1</source>
        <translation>der Name ist auf dem Stick vergeben: %1</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Will not copy into %1: it is the music folder %2</source>
        <translation>Kein Kopieren nach %1: es ist das Musik-Verzeichnis %2</translation>
    </message>
    <message>
        <source>Will not copy into %1: it holds the music folder %2</source>
        <translation>Kein Kopieren nach %1: es enthält das Musik-Verzeichnis %2</translation>
    </message>
    <message>
        <source>Will not copy into %1: it lies in the music folder %2</source>
        <translation>Kein Kopieren nach %1: es liegt im Musik-Verzeichnis %2</translation>
    </message>
    <message>
        <source>Will not delete the files of the system&apos;s root folder %1</source>
        <translation>Die Dateien im Stammverzeichnis des Systems %1 werden nicht gelöscht</translation>
    </message>
    <message>
        <source>Will not delete the files on %1: it holds %2</source>
        <translation>Die Dateien auf %1 werden nicht gelöscht: es enthält %2</translation>
    </message>
    <message>
        <source>Your music selection has been modified.
Save changes?</source>
        <translation>Ihre Musikauswahl wurde geändert.
Änderungen speichern?</translation>
    </message>
    <message>
        <source>The music selection %1 is in use by another program (a fill may be running). Try again when it has finished.</source>
        <translation>Die Musikauswahl %1 wird von einem anderen Programm benutzt (vielleicht läuft ein Befüllen). Versuchen Sie es wieder, wenn es fertig ist.</translation>
    </message>
    <message>
        <source>The music selection could not be locked.
%1: %2</source>
        <translation>Die Musikauswahl konnte nicht gesperrt werden.
%1: %2</translation>
    </message>
    <message>
        <source>The music selection could not be saved.
%1</source>
        <translation>Die Musikauswahl konnte nicht gespeichert werden.
%1</translation>
    </message>
    <message>
        <source>The music selection could not be read.
%1: %2</source>
        <translation>Die Musikauswahl konnte nicht gelesen werden.
%1: %2</translation>
    </message>
    <message>
        <source>%1
is not a music selection file. Nothing was loaded from it.</source>
        <translation>%1
ist keine Musikauswahl-Datei. Es wurde nichts daraus geladen.</translation>
    </message>
    <message>
        <source>This directory cannot be kept in a music selection file: %2.
%1</source>
        <translation>Dieses Verzeichnis kann nicht in einer Musikauswahl-Datei stehen: %2.
%1</translation>
    </message>
    <message>
        <source>its path is empty</source>
        <translation>sein Pfad ist leer</translation>
    </message>
    <message>
        <source>its path begins or ends with a blank</source>
        <translation>sein Pfad beginnt oder endet mit einem Leerzeichen</translation>
    </message>
    <message>
        <source>its path holds a control character such as a line break</source>
        <translation>sein Pfad enthält ein Steuerzeichen wie einen Zeilenumbruch</translation>
    </message>
    <message>
        <source>its path is longer than %1 bytes</source>
        <translation>sein Pfad ist länger als %1 Bytes</translation>
    </message>
    <message>
        <source>its path is not valid UTF-8 text</source>
        <translation>sein Pfad ist kein gültiger UTF-8-Text</translation>
    </message>
    <message>
        <source>Ejected %1: the stick can be pulled out</source>
        <translation>%1 ausgeworfen: der Stick kann abgezogen werden</translation>
    </message>
    <message>
        <source>Unmounted %1; its drive cannot be powered off, but it can be pulled out now</source>
        <translation>%1 ausgehängt; das Laufwerk kann nicht ausgeschaltet werden, aber es kann jetzt abgezogen werden</translation>
    </message>
    <message>
        <source>Unmounted %1, but powering the drive off failed (%2); it can be pulled out now</source>
        <translation>%1 ausgehängt, aber das Ausschalten des Laufwerks schlug fehl (%2); es kann jetzt abgezogen werden</translation>
    </message>
    <message>
        <source>Unmounted %1 with umount (%2, so the drive was not powered off)</source>
        <translation>%1 mit umount ausgehängt (%2, daher wurde das Laufwerk nicht ausgeschaltet)</translation>
    </message>
    <message>
        <source>Not ejected: %1 is not the root of a mounted volume</source>
        <translation>Nicht ausgeworfen: %1 ist nicht das Stammverzeichnis eines eingehängten Datenträgers</translation>
    </message>
    <message>
        <source>Not ejected: %1 is not on a disk (%2)</source>
        <translation>Nicht ausgeworfen: %1 liegt auf keinem Datenträger (%2)</translation>
    </message>
    <message>
        <source>Not ejected: %2; unmount %1 with the file manager, or run as root to unmount it</source>
        <translation>Nicht ausgeworfen: %2; hängen Sie %1 mit der Dateiverwaltung aus oder als root</translation>
    </message>
    <message>
        <source>Not ejected: %2, and umount %1 failed (is it busy?)</source>
        <translation>Nicht ausgeworfen: %2, und umount %1 schlug fehl (wird es benutzt?)</translation>
    </message>
    <message>
        <source>Not ejected: UDisks2 does not know %1: %2</source>
        <translation>Nicht ausgeworfen: UDisks2 kennt %1 nicht: %2</translation>
    </message>
    <message>
        <source>Not ejected: the drive of %1 cannot be read: %2</source>
        <translation>Nicht ausgeworfen: das Laufwerk von %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Not ejected: %1 is on a fixed disc</source>
        <translation>Nicht ausgeworfen: %1 liegt auf einer Festplatte</translation>
    </message>
    <message>
        <source>Not ejected: %1 is busy (a program still uses files on it)</source>
        <translation>Nicht ausgeworfen: %1 wird benutzt (ein Programm hat noch Dateien darauf offen)</translation>
    </message>
    <message>
        <source>Not ejected: unmounting %1 failed: %2</source>
        <translation>Nicht ausgeworfen: das Aushängen von %1 schlug fehl: %2</translation>
    </message>
    <message>
        <source>Not ejected: %2, and %1 is not a removable drive of its own (a fixed disc, a loop device or a folder mounted elsewhere is never unmounted)</source>
        <translation>Nicht ausgeworfen: %2, und %1 ist kein eigenes Wechsellaufwerk (eine Festplatte, ein Loop-Gerät oder ein anderswo eingehängter Ordner wird nie ausgehängt)</translation>
    </message>
    <message>
        <source>Not ejected: %1 (ejecting is not available on Windows; use &quot;Safely Remove Hardware&quot;)</source>
        <translation>Nicht ausgeworfen: %1 (unter Windows gibt es kein Auswerfen; verwenden Sie „Hardware sicher entfernen“)</translation>
    </message>
    <message>
        <source>the system bus cannot be reached</source>
        <translation>der Systembus ist nicht erreichbar</translation>
    </message>
    <message>
        <source>UDisks2 is not available</source>
        <translation>UDisks2 ist nicht verfügbar</translation>
    </message>
    <message>
        <source>%1: copy abandoned</source>
        <translation>%1: Kopieren abgebrochen</translation>
    </message>
    <message>
        <source>%1: no data for %2 s</source>
        <translation>%1: seit %2 s keine Daten</translation>
    </message>
    <message>
        <source>%1: not a regular file</source>
        <translation>%1: keine normale Datei</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine normale Datei</translation>
    </message>
    <message>
        <source>the file is larger than %1 MiB</source>
        <translation>die Datei ist größer als %1 MiB</translation>
    </message>
    <message>
        <source>no file name given</source>
        <translation>kein Dateiname angegeben</translation>
    </message>
    <message>
        <source>%1: the file is read-only</source>
        <translation>%1: die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>%1: is a directory</source>
        <translation>%1: ist ein Verzeichnis</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 is not a settings file: %2</source>
        <translation>%1 ist keine Einstellungsdatei: %2</translation>
    </message>
    <message>
        <source>it is not a text file</source>
        <translation>sie ist keine Textdatei</translation>
    </message>
    <message>
        <source>it holds the section [%1]</source>
        <translation>sie enthält den Abschnitt [%1]</translation>
    </message>
    <message>
        <source>invalid size &apos;%1&apos;: expected a number of bytes, optionally with K, M or G</source>
        <translation>ungültige Größe „%1“: erwartet wird eine Zahl von Bytes, wahlweise mit K, M oder G</translation>
    </message>
    <message>
        <source>invalid size &apos;%1&apos;: unknown unit (use K, M or G)</source>
        <translation>ungültige Größe „%1“: unbekannte Einheit (K, M oder G verwenden)</translation>
    </message>
    <message>
        <source>invalid size &apos;%1&apos;: too large</source>
        <translation>ungültige Größe „%1“: zu groß</translation>
    </message>
    <message>
        <source>invalid size &apos;%1&apos;: must be greater than zero</source>
        <translation>ungültige Größe „%1“: muss größer als null sein</translation>
    </message>
    <message>
        <source>Stopped on request</source>
        <translation>Auf Wunsch angehalten</translation>
    </message>
    <message>
        <source>the stick is full</source>
        <translation>der Stick ist voll</translation>
    </message>
    <message>
        <source>the size limit is reached</source>
        <translation>die Größengrenze ist erreicht</translation>
    </message>
    <message>
        <source>the device&apos;s folder limit is reached</source>
        <translation>die Ordnergrenze des Geräts ist erreicht</translation>
    </message>
    <message>
        <source>every song of the collection has been handled</source>
        <translation>jeder Titel der Sammlung ist behandelt</translation>
    </message>
    <message>
        <source>stopped on request</source>
        <translation>auf Wunsch angehalten</translation>
    </message>
    <message>
        <source>a new cycle started</source>
        <translation>eine neue Runde hat begonnen</translation>
    </message>
    <message>
        <source>1 song</source>
        <translation>1 Titel</translation>
    </message>
    <message>
        <source>%1 songs</source>
        <translation>%1 Titel</translation>
    </message>
    <message>
        <source>Finished copying: %1, %2 — %3</source>
        <translation>Kopieren beendet: %1, %2 — %3</translation>
    </message>
    <message>
        <source>Stopped on request after %1</source>
        <translation>Auf Wunsch angehalten nach %1</translation>
    </message>
    <message>
        <source>Every song of the collection is on a stick now — a new round starts next time</source>
        <translation>Jeder Titel der Sammlung ist jetzt auf einem Stick — beim nächsten Mal beginnt eine neue Runde</translation>
    </message>
    <message>
        <source>%2 (%1 could not be copied)</source>
        <translation>%2 (%1 konnten nicht kopiert werden)</translation>
    </message>
    <message>
        <source>%1; a new cycle started</source>
        <translation>%1; eine neue Runde hat begonnen</translation>
    </message>
    <message>
        <source>none of the %1 songs drawn reached the stick</source>
        <translation>keiner der %1 gezogenen Titel ist auf dem Stick angekommen</translation>
    </message>
    <message>
        <source>%1; the collection was not saved</source>
        <translation>%1; die Sammlung wurde nicht gespeichert</translation>
    </message>
    <message>
        <source>the playlist was not written: %1</source>
        <translation>die Wiedergabeliste wurde nicht geschrieben: %1</translation>
    </message>
    <message>
        <source>the songs were not put in play order: %1</source>
        <translation>die Titel wurden nicht in Abspielreihenfolge gebracht: %1</translation>
    </message>
    <message>
        <source>%2 songs put in play order (folders: %1)</source>
        <translation>%2 Titel in Abspielreihenfolge gebracht (Ordner: %1)</translation>
    </message>
    <message>
        <source>No songs on %1 to put in order</source>
        <translation>Keine Titel auf %1, die zu ordnen wären</translation>
    </message>
    <message>
        <source>The stick could not be put in play order: %1</source>
        <translation>Der Stick konnte nicht in Abspielreihenfolge gebracht werden: %1</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>Delete everything on %1?</source>
        <translation>Alles auf %1 löschen?</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Drive type: %1
On it: %2</source>
        <translation>Laufwerkstyp: %1
Darauf: %2</translation>
    </message>
    <message>
        <source>1 file, %1</source>
        <translation>1 Datei, %1</translation>
    </message>
    <message>
        <source>%1 files, %2</source>
        <translation>%1 Dateien, %2</translation>
    </message>
    <message>
        <source>%2, %1 of them not music</source>
        <translation>%2, davon %1 keine Musik</translation>
    </message>
    <message>
        <source>a folder, not a drive of its own</source>
        <translation>ein Ordner, kein eigenes Laufwerk</translation>
    </message>
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
        <source>%3

Bytes total: %1
Bytes free: %2</source>
        <translation>%3

Bytes gesamt: %1
Bytes frei: %2</translation>
    </message>
    <message>
        <source>Directory not found: %1</source>
        <translation>Verzeichnis nicht gefunden: %1</translation>
    </message>
</context>
</TS>
