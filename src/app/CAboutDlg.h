// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box: the program icon, the name and version, two notice lines and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QLabel* VersionLabel() const { return version_; }
    QPushButton* OkButton() const { return ok_; }

  private:
    QLabel* version_;
    QPushButton* ok_;
};
