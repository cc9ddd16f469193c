// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <memory>

class CMainFrame;

// The program: reads the command line, builds the main window with its document and form, and
// opens a collection named on the command line.
class CTunecrateApp {
  public:
    CTunecrateApp();
    ~CTunecrateApp();

    // `arguments` as the application gives them, the program name first. False when the
    // program should end at once; `exitCode` then says how.
    bool InitInstance(const QStringList& arguments, int& exitCode);

    CMainFrame* MainFrame() const { return frame_.get(); }

  private:
    std::unique_ptr<CMainFrame> frame_;
};
