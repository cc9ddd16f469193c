// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/TempDir.h"

// Readable QString values in test failure messages.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << '"' << text.toStdString() << '"';
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

inline int g_modalsPending = 0;

// Runs `action` on the next modal window as soon as it is shown, from the running event loop;
// returns at once. The action must close the window: one left open fails the test and is closed.
// A progress box is passed over: it shows when work is slow (a loaded machine) and closes itself.
inline void WhenModal(std::function<void(QWidget*)> action) {
    ++g_modalsPending;
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || qobject_cast<QProgressDialog*>(modal)) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        --g_modalsPending;
        action(modal);
        if (modal && modal->isVisible()) {
            ADD_FAILURE() << "the modal " << modal->metaObject()->className() << " stayed open";
            modal->close();
        }
    });
    timer->start();
}

// Waits until every WhenModal action has run.
inline bool FinishModals() {
    return QTest::qWaitFor([] { return g_modalsPending == 0; }, 5000);
}

// Runs `trigger`, which opens a modal window, and has `action` close that window; whether it did.
inline bool WithModal(std::function<void(QWidget*)> action, const std::function<void()>& trigger) {
    WhenModal(std::move(action));
    trigger();
    return FinishModals();
}

// Presses the button of a message box that `pick` finds, and records the box's text (and
// informative text, if any).
inline std::function<void(QWidget*)> AnswerBoxPicking(
    std::function<QAbstractButton*(QMessageBox*)> pick, QString* text) {
    return [pick, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_TRUE(box) << modal->metaObject()->className();
        QAbstractButton* button = pick(box);
        ASSERT_TRUE(button) << "no such button in " << box->text().toStdString();
        if (text) {
            const QString more = box->informativeText();
            *text = more.isEmpty() ? box->text() : box->text() + "\n" + more;
        }
        button->click();
    };
}

inline std::function<void(QWidget*)> AnswerBox(QMessageBox::StandardButton button,
                                               QString* text = nullptr) {
    return AnswerBoxPicking([button](QMessageBox* box) { return box->button(button); }, text);
}

// Presses the button that reads `label`.
inline std::function<void(QWidget*)> AnswerBoxWith(const QString& label, QString* text = nullptr) {
    return AnswerBoxPicking(
        [label](QMessageBox* box) -> QAbstractButton* {
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == label) {
                    return button;
                }
            }
            return nullptr;
        },
        text);
}

// The text of the message box that `trigger` opens, answered with OK.
inline QString MessageOf(const std::function<void()>& trigger) {
    QString text;
    EXPECT_TRUE(WithModal(AnswerBox(QMessageBox::Ok, &text), trigger));
    return text;
}

// Types the whole path into a file dialog's name field, as a user may, and accepts it: this does
// not depend on the dialog having listed the folder yet.
inline std::function<void(QWidget*)> ChooseFile(const QString& path) {
    return [path](QWidget* modal) {
        auto* name = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(qobject_cast<QFileDialog*>(modal) && name) << modal->metaObject()->className();
        name->setText(path);
        static_cast<QDialog*>(modal)->accept();
    };
}

// A message of the German catalogue, as the translators wrote it.
struct CatalogueMessage {
    QString context, source, translation;
};

inline std::vector<CatalogueMessage> GermanCatalogue() {
    QFile file(QStringLiteral(TUNECRATE_TS_FILE));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << TUNECRATE_TS_FILE;
    QXmlStreamReader xml(&file);
    std::vector<CatalogueMessage> messages;
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            messages.push_back({context, source, xml.readElementText()});
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

// The colours of the fully covered pixels of a picture, for pictures drawn in one colour.
inline QSet<QRgb> CoveredColours(const QPixmap& picture) {
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 255) {
                colours.insert(image.pixel(x, y));
            }
        }
    }
    return colours;
}
