#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/CMainFrame.h"
#include "support/TempDir.h"

// Runs `action` on the next modal window (message box, file dialog) as soon as it is shown, from
// the running event loop; the window is closed by the action. Returns at once.
void WhenModal(std::function<void(QWidget*)> action);
// Whether a WhenModal action is still waiting for its window.
bool ModalPending();

// Presses the button of a message box that has the given text, and records the box's text.
std::function<void(QWidget*)> AnswerBox(int standardButton, QString* text = nullptr);
// Chooses `path` in a file dialog and accepts it.
std::function<void(QWidget*)> ChooseFile(const QString& path);

// A main window over a settings file in a fresh folder, with music folders to add.
class MainWindowFixture {
  public:
    MainWindowFixture();
    ~MainWindowFixture();

    // A music folder named `name` holding `count` mp3 files of `bytes` bytes each.
    QString MakeMusicDir(const std::string& name, int count = 2, size_t bytes = 16);
    // Writes the settings file before the window is built.
    void WriteSettings(const std::string& stick, const std::string& collection);
    CMainFrame& Open();
    CMainFrame& Frame() { return *frame_; }

    TempDir dir;
    std::string settingsPath;

  private:
    std::unique_ptr<CMainFrame> frame_;
};
