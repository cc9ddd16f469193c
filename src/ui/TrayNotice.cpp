// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TrayNotice.h"

#include <QApplication>
#include <QSystemTrayIcon>

#include "platform/desktop/DesktopNotifier.h"

TrayNotice::TrayNotice(QObject* parent) : QObject(parent) {}

void TrayNotice::Notify(const QString& title, const QString& text) {
    if (platform::DesktopNotifier::Notify(title.toStdString(), text.toStdString()) ||
        !QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
    }
    if (!tray_) {
        tray_ = new QSystemTrayIcon(QApplication::windowIcon(), this);
    }
    tray_->show();
    tray_->showMessage(title, text, QSystemTrayIcon::Information);
}
