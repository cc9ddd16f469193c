// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QSystemTrayIcon;

// Tells the user something while the program's window is in the background: through the
// desktop's notification service (platform::DesktopNotifier) where one is running, else as a
// message of the system tray where there is one, else not at all.
class TrayNotice : public QObject {
    Q_OBJECT

  public:
    explicit TrayNotice(QObject* parent = nullptr);

    void Notify(const QString& title, const QString& text);

  private:
    QSystemTrayIcon* tray_ = nullptr;
};
