#include "AppTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <filesystem>

namespace {

int g_pending = 0;

// A modal window of the wrong kind fails the test and is closed, so that the test goes on.
bool Expected(bool ok, QWidget* modal) {
    if (!ok) {
        ADD_FAILURE() << "unexpected modal window " << modal->metaObject()->className();
        modal->close();
    }
    return ok;
}

}  // namespace

void WhenModal(std::function<void(QWidget*)> action) {
    ++g_pending;
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        --g_pending;
        action(modal);
    });
    timer->start();
}

bool ModalPending() {
    return g_pending > 0;
}

std::function<void(QWidget*)> AnswerBox(int standardButton, QString* text) {
    return [standardButton, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!Expected(box && box->button(QMessageBox::StandardButton(standardButton)), modal)) {
            return;
        }
        if (text) {
            *text = box->text();
        }
        box->button(QMessageBox::StandardButton(standardButton))->click();
    };
}

std::function<void(QWidget*)> ChooseFile(const QString& path) {
    return [path](QWidget* modal) {
        // The whole path typed into the name field, as a user may: it does not depend on the
        // dialog having listed the folder yet.
        auto* name = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!Expected(qobject_cast<QFileDialog*>(modal) && name, modal)) {
            return;
        }
        name->setText(path);
        static_cast<QDialog*>(modal)->accept();
    };
}

MainWindowFixture::MainWindowFixture() : settingsPath(dir / "Tunecrate.ini") {
    // Keeps the window framework's profile data out of the user's own.
    QStandardPaths::setTestModeEnabled(true);
}

MainWindowFixture::~MainWindowFixture() {
    frame_.reset();
    QTest::qWait(1);
}

QString MainWindowFixture::MakeMusicDir(const std::string& name, int count, size_t bytes) {
    const std::string path = dir / name;
    std::filesystem::create_directories(path);
    for (int i = 0; i < count; ++i) {
        WriteFileBytes(path + "/song" + std::to_string(i) + ".mp3", std::string(bytes, 'x'));
    }
    return QString::fromStdString(path);
}

void MainWindowFixture::WriteSettings(const std::string& stick, const std::string& collection) {
    WriteFileBytes(settingsPath, "[Global]\nStickDrive=" + stick + "\nMusicCollection=" +
                                     collection + "\n[Extensions]\next=mp3\n");
}

CMainFrame& MainWindowFixture::Open() {
    const std::filesystem::path settings(settingsPath);
    if (!std::filesystem::exists(settings) &&
        std::filesystem::is_directory(settings.parent_path())) {
        WriteSettings("", "");
    }
    frame_ = std::make_unique<CMainFrame>(settingsPath);
    if (!frame_->Create()) {
        ADD_FAILURE() << "the main window could not be built";
    }
    frame_->show();
    if (!QTest::qWaitForWindowExposed(frame_.get())) {
        ADD_FAILURE() << "the main window was not shown";
    }
    frame_->activateWindow();
    (void)QTest::qWaitForWindowActive(frame_.get());
    return *frame_;
}
