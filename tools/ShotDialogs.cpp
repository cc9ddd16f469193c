// SPDX-License-Identifier: GPL-3.0-or-later
// Takes pictures of the dialogs, filled with sample data, for reviewing their look and for the
// documentation:
//   shot_dialogs OUTPUT_DIRECTORY [LANGUAGE [STICK]]    e.g. shot_dialogs shots de /mnt/stick
// With STICK, a small mounted volume that may be filled and emptied, it also runs a transfer in
// the main window and takes the window after the run and the question before a wipe.
// Run it under a display (xvfb-run) or with QT_QPA_PLATFORM=offscreen. The drive list shows a
// made-up desktop computer, not the machine the tool runs on.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <map>

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "collection/CTunecrateDoc.h"
#include "platform/volumes/VolumeQueries.h"
#include "storage/AppSettings.h"
#include "transfer/DriveInfo.h"
#include "ui/CDriveDlg.h"
#include "ui/CExtensionsDlg.h"
#include "ui/CFolderBrowser.h"
#include "ui/CHoverButton.h"
#include "ui/CStickLayoutDlg.h"
#include "ui/CTunecrateView.h"
#include "ui/StringTable.h"
#include "ui/TranslationLoader.h"

namespace {

// The drives of a typical desktop computer with a music stick plugged in.
class SampleDrives : public platform::VolumeQueries {
  public:
    std::vector<std::string> GetDriveRoots() const override {
        std::vector<std::string> roots;
        for (const auto& [root, drive] : kDrives) {
            roots.push_back(root);
        }
        return roots;
    }
    std::vector<std::string> GetUserDriveRoots() const override {
        std::vector<std::string> roots;
        for (const auto& [root, drive] : kDrives) {
            if (drive.forMusic) {
                roots.push_back(root);
            }
        }
        return roots;
    }
    platform::DriveType GetDriveType(const std::string& root) const override {
        return kDrives.at(root).type;
    }
    bool GetDiskSpace(const std::string& root, platform::DiskSpace& space) const override {
        const Drive& drive = kDrives.at(root);
        space = {drive.free, drive.total, drive.free};
        return true;
    }
    bool GetVolumeLabel(const std::string& root, std::string& label) const override {
        label = kDrives.at(root).label;
        return true;
    }

  private:
    struct Drive {
        platform::DriveType type;
        uint64_t total;
        uint64_t free;
        std::string label;
        bool forMusic;  // offered for music: not one of the system's own volumes
    };
    const std::map<std::string, Drive> kDrives = {
        {"/", {platform::DriveType::kFixed, 250'059'350'016, 81'604'378'624, "", false}},
        {"/home", {platform::DriveType::kFixed, 983'349'796'864, 402'653'184'000, "", false}},
        {"/media/anna/MUSIC",
         {platform::DriveType::kRemovable, 7'998'537'728, 3'221'225'472, "MUSIC", true}},
        {"/media/anna/CAR",
         {platform::DriveType::kRemovable, 15'931'539'456, 15'200'000'000, "CAR", true}},
        {"/media/anna/HOLIDAY", {platform::DriveType::kOptical, 4'700'372'992, 0, "HOLIDAY", true}},
        {"/mnt/nas",
         {platform::DriveType::kRemote, 3'999'688'294'400, 1'288'490'188'800, "", true}},
        {"/tmp", {platform::DriveType::kRamDisk, 8'388'608'000, 8'220'000'000, "", false}},
    };
};

bool Save(QWidget& widget, const QString& path) {
    QTextStream(stdout) << path << "\n";
    return widget.grab().save(path);
}

void WriteFile(const QString& path, qint64 bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QByteArray(bytes, 'x'));
    }
}

void WaitForTheRun(CTunecrateView& view) {
    while (view.IsTransferRunning()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QApplication::processEvents();
}

// Takes the next modal window (a message box) once it shows, then closes it as Cancel does;
// `ok` turns false when there was none or it could not be saved.
void SaveNextModal(const QString& path, bool& ok) {
    QTimer::singleShot(800, [&ok, path] {
        QWidget* modal = QApplication::activeModalWidget();
        ok = modal && Save(*modal, path) && ok;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->reject();
        } else if (modal) {
            modal->close();
        }
    });
}

// The dark palette of a desktop with a dark theme.
QPalette DarkPalette() {
    QPalette dark(QColor(53, 53, 56), QColor(37, 37, 40));
    dark.setColor(QPalette::WindowText, QColor(232, 232, 232));
    dark.setColor(QPalette::Text, QColor(232, 232, 232));
    dark.setColor(QPalette::ButtonText, QColor(232, 232, 232));
    dark.setColor(QPalette::Highlight, QColor(61, 142, 201));
    dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    return dark;
}

// The main window maximised on a large screen and under a dark palette.
bool ShootVariants(CMainFrame& frame, const QDir& out, const QString& suffix) {
    const QSize normal = frame.size();
    frame.resize(1600, 1000);  // as maximised on a 1600 x 1000 desktop
    QApplication::processEvents();
    bool ok = Save(frame, out.filePath("main-window-maximized-" + suffix + ".png"));
    frame.resize(normal);
    const QPalette before = QApplication::palette();
    QApplication::setPalette(DarkPalette());
    frame.View()->RefillDirectoryList();  // the rows' grey follows the palette
    QApplication::processEvents();
    ok = Save(frame, out.filePath("main-window-dark-" + suffix + ".png")) && ok;
    QApplication::setPalette(before);
    frame.View()->RefillDirectoryList();
    return ok;
}

// The window a first start shows: no collection, no stick.
bool ShootFirstStart(const QDir& out, const QString& suffix) {
    QTemporaryDir scratch;
    CMainFrame frame(scratch.filePath("Tunecrate.ini").toStdString());
    if (!frame.Create()) {
        return false;
    }
    frame.show();
    QApplication::processEvents();
    const bool ok = Save(frame, out.filePath("first-start-" + suffix + ".png"));
    frame.close();
    return ok;
}

// The main window over a small collection after a run onto `stick`, then the question before a
// wipe of the stick, which now holds more than music.
bool ShootMainWindow(const QDir& out, const QString& suffix, const QString& stick) {
    QTemporaryDir scratch;
    const QString settings = scratch.filePath("Tunecrate.ini");
    QFile ini(settings);
    if (!ini.open(QIODevice::WriteOnly)) {
        return false;
    }
    ini.write(("[Global]\nStickDrive=" + stick + "\n[Extensions]\next=mp3\n").toUtf8());
    ini.close();
    CMainFrame frame(settings.toStdString());
    if (!frame.Create()) {
        return false;
    }
    frame.show();
    CTunecrateView& view = *frame.View();
    const char* const albums[] = {"Music/Jazz/Blue Train", "Music/Rock/Live at Leeds",
                                  "Music/Classical/Goldberg Variations"};
    for (const char* album : albums) {
        QDir(scratch.path()).mkpath(album);
        for (int i = 1; i <= 12; ++i) {
            WriteFile(scratch.filePath(QStringLiteral("%1/%2 - Track %3.mp3")
                                           .arg(album, QFileInfo(album).fileName())
                                           .arg(i)),
                      (3 + i % 4) << 20);
        }
        view.AddDirectoryEntry(scratch.filePath(album));
    }
    view.StartButton()->SetState(CHoverButton::kStateOn);
    view.OnStart();
    WaitForTheRun(view);
    bool ok = Save(frame, out.filePath("main-window-" + suffix + ".png"));
    ok = ShootVariants(frame, out, suffix) && ok;

    WriteFile(stick + "/holiday.jpg", 1 << 20);
    view.DeleteOldCheck()->setChecked(true);
    SaveNextModal(out.filePath("wipe-question-" + suffix + ".png"), ok);
    view.StartButton()->SetState(CHoverButton::kStateOn);
    view.OnStart();
    WaitForTheRun(view);
    // The question before closing with unsaved changes.
    SaveNextModal(out.filePath("save-prompt-" + suffix + ".png"), ok);
    frame.close();
    frame.Document()->SetModifiedFlag(false);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: shot_dialogs OUTPUT_DIRECTORY [LANGUAGE]\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    const QLocale locale = argc > 2 ? QLocale(QString::fromLocal8Bit(argv[2])) : QLocale::c();
    QLocale::setDefault(locale);  // numbers as a desktop in that language shows them
    TranslationLoader translation;
    translation.Load(locale);
    const QString suffix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("en");
    bool ok = true;

    QTemporaryDir scratch;
    QFile(scratch.path() + "/Tunecrate.ini").open(QIODevice::WriteOnly);  // no first start
    AppSettings settings((scratch.path() + "/Tunecrate.ini").toStdString());
    settings.SetSaveOnDestroy(false);
    for (const char* ext : {"wav", "mp3", "ogg", "wma", "m4a"}) {
        settings.AddExtension(ext);
    }
    CExtensionsDlg extensions(settings);
    extensions.show();
    extensions.findChild<QLineEdit*>("newExtension")->setText("aac");
    QApplication::processEvents();
    ok = Save(extensions, out.filePath("extensions-" + suffix + ".png")) && ok;
    extensions.hide();

    settings.SetPerFolder(31);
    settings.SetPlaylist(true);
    CStickLayoutDlg layout(settings);
    layout.show();
    QApplication::processEvents();
    ok = Save(layout, out.filePath("layout-" + suffix + ".png")) && ok;
    layout.hide();

    const SampleDrives drives;
    CDriveDlg driveDlg(nullptr, drives);
    driveDlg.SetCurrentStick("/media/anna/MUSIC");  // as the main form opens it
    driveDlg.show();
    QApplication::processEvents();
    ok = Save(driveDlg, out.filePath("drives-" + suffix + ".png")) && ok;
    driveDlg.hide();

    for (const char* folder : {"Music/Jazz", "Music/Rock", "Music/Classical", "Music/Podcasts"}) {
        QDir(scratch.path()).mkpath(folder);
    }
    CFolderBrowser browser(nullptr, StringTable::kFolderPickerTitle);
    browser.SetOptionFlags(CFolderPickerBase::kOnlyFileSystemDirs | CFolderPickerBase::kStatusText);
    browser.SetStartFolder(scratch.path() + "/Music/Jazz");
    QTimer::singleShot(500, [&] {
        if (QWidget* picker = QApplication::activeModalWidget()) {
            ok = Save(*picker, out.filePath("folder-" + suffix + ".png")) && ok;
            picker->close();
        }
    });
    browser.Run();
    CAboutDlg about;
    about.show();
    QApplication::processEvents();
    ok = Save(about, out.filePath("about-" + suffix + ".png")) && ok;
    about.hide();

    ok = ShootFirstStart(out, suffix) && ok;
    if (argc > 3) {
        ok = ShootMainWindow(out, suffix, QString::fromLocal8Bit(argv[3])) && ok;
    }
    return ok ? 0 : 1;
}
