#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTest>
#include <QWidget>

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
