// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

#include "app/CMainFrame.h"
#include "collection/CTunecrateDoc.h"
#include "ui/CDirectoryList.h"
#include "ui/CDriveDlg.h"
#include "ui/CHoverButton.h"
#include "ui/CTunecrateView.h"
#include "ui/UiTestSupport.h"

// A main window over a plain settings file in a fresh folder, with music folders to add.
class AppTest : public ::testing::Test {
  protected:
    // Keeps the profile data (size, recent collections) apart from the user's and other tests'.
    AppTest() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(dir.Path()));
        WriteSettings("", "");
    }
    ~AppTest() override {
        frame_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A music folder named `name` holding `count` mp3 files of `bytes` bytes each.
    QString MakeMusicDir(const std::string& name, int count = 2, size_t bytes = 16) {
        const std::string path = dir / name;
        std::filesystem::create_directories(path);
        for (int i = 0; i < count; ++i) {
            WriteFileBytes(path + "/song" + std::to_string(i) + ".mp3", std::string(bytes, 'x'));
        }
        return QString::fromStdString(path);
    }
    void WriteSettings(const std::string& stick, const std::string& collection) {
        WriteFileBytes(settingsPath, "[Global]\nStickDrive=" + stick + "\nMusicCollection=" +
                                         collection + "\n[Extensions]\next=mp3\n");
    }
    CMainFrame& Open() {
        frame_ = std::make_unique<CMainFrame>(settingsPath);
        EXPECT_TRUE(frame_->Create()) << "the main window could not be built";
        ShowActive(*frame_);
        return *frame_;
    }
    CMainFrame& Frame() { return *frame_; }
    CTunecrateView& View() { return *frame_->View(); }
    CTunecrateDoc& Doc() { return *frame_->Document(); }
    CDirectoryList& List() { return *View().DirectoryList(); }

    TempDir dir;
    std::string settingsPath = dir / "Tunecrate.ini";

  private:
    std::unique_ptr<CMainFrame> frame_;
};
