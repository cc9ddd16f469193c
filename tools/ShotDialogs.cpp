// Takes pictures of the dialogs, filled with sample data, for reviewing their look and for the
// documentation:
//   shot_dialogs OUTPUT_DIRECTORY [LANGUAGE]      e.g. shot_dialogs shots de
// Run it under a display (xvfb-run) or with QT_QPA_PLATFORM=offscreen. The drive list shows a
// made-up desktop computer, not the machine the tool runs on.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <map>

#include "platform/VolumeQueries.h"
#include "storage/AppSettings.h"
#include "transfer/DriveInfo.h"
#include "ui/CDriveDlg.h"
#include "ui/CExtensionsDlg.h"
#include "ui/CFolderBrowser.h"
#include "ui/CStickLayoutDlg.h"
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
    int GetDriveType(const std::string& root) const override { return kDrives.at(root).type; }
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
        int type;
        uint64_t total;
        uint64_t free;
        std::string label;
    };
    const std::map<std::string, Drive> kDrives = {
        {"/", {DriveInfo::kTypeFixed, 250'059'350'016, 81'604'378'624, ""}},
        {"/home", {DriveInfo::kTypeFixed, 983'349'796'864, 402'653'184'000, ""}},
        {"/media/anna/MUSIC", {DriveInfo::kTypeRemovable, 7'998'537'728, 3'221'225'472, "MUSIC"}},
        {"/media/anna/HOLIDAY", {DriveInfo::kTypeOptical, 4'700'372'992, 0, "HOLIDAY"}},
        {"/mnt/nas", {DriveInfo::kTypeRemote, 3'999'688'294'400, 1'288'490'188'800, ""}},
        {"/tmp", {DriveInfo::kTypeRamDisk, 8'388'608'000, 8'220'000'000, ""}},
    };
};

bool Save(QWidget& widget, const QString& path) {
    QTextStream(stdout) << path << "\n";
    return widget.grab().save(path);
}

void Click(QWidget* target, QPoint at) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
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
    TranslationLoader translation;
    translation.Load(locale);
    const QString suffix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("en");
    bool ok = true;

    QTemporaryDir scratch;
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
    driveDlg.show();
    QApplication::processEvents();
    auto* list = driveDlg.findChild<QListWidget*>("driveList");
    Click(list->viewport(), list->visualItemRect(list->item(2)).center());
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
    return ok ? 0 : 1;
}
