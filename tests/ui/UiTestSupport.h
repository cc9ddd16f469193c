#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTest>
#include <QWidget>

#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << text.toStdString();
}

// Shows a top-level widget and makes it the active window, as a user would see it.
inline void ShowActive(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// The child of `parent` with the object name `name`; fails the test when there is none.
template <typename T>
T* Child(const QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << "no child named " << name;
    return child;
}

#include <QApplication>
#include <QTimer>
#include <functional>

// Calls `open`, which runs a modal dialog, and hands that dialog to `drive` as soon as it is up;
// `drive` must close it. A dialog still open after ten seconds is rejected and the test fails.
template <typename Open>
auto DriveModal(const std::function<void(QWidget*)>& drive, Open open) {
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible()) {
            poll.stop();
            drive(modal);
        }
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "the modal dialog was not closed";
            modal->close();
        }
    });
    poll.start();
    watchdog.start(10000);
    return open();
}
