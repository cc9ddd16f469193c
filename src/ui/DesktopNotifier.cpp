#include "ui/DesktopNotifier.h"

#include <QApplication>
#include <QSystemTrayIcon>

#ifdef TUNECRATE_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QVariantMap>
#endif

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");

}  // namespace

DesktopNotifier::DesktopNotifier(QObject* parent) : QObject(parent) {}

void DesktopNotifier::Notify(const QString& title, const QString& text) {
    if (NotifyThroughService(title, text) || !QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
    }
    if (!tray_) {
        tray_ = new QSystemTrayIcon(QApplication::windowIcon(), this);
    }
    tray_->show();
    tray_->showMessage(title, text, QSystemTrayIcon::Information);
}

bool DesktopNotifier::NotifyThroughService(const QString& title, const QString& text) {
#ifdef TUNECRATE_HAVE_DBUS
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(kService).value()) {
        return false;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/Notifications"),
                                       kService, QStringLiteral("Notify"));
    // Application name, no notification to replace, icon, summary, body, no actions, no hints,
    // the server's default timeout. Nothing waits for the answer.
    call << QCoreApplication::applicationName() << 0u << QStringLiteral("tunecrate") << title
         << text << QStringList() << QVariantMap() << -1;
    return bus.send(call);
#else
    Q_UNUSED(title);
    Q_UNUSED(text);
    return false;
#endif
}
