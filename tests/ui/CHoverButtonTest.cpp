#include "ui/CHoverButton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <thread>

#include "support/TempDir.h"

namespace {

const QColor kFace(212, 208, 200);
const QColor kWhite(255, 255, 255);
const QColor kGrey(128, 128, 128);
// One plain colour per state bitmap, so a pixel tells which bitmap is drawn.
const QColor kBitmapColours[4] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};

// A window with the button and a line edit that can take the focus away from it. Mouse input
// goes through the window, as the window system delivers it, so enter and leave come with it.
class HoverButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 4; ++i) {
            QImage image(100, 44, QImage::Format_RGB32);
            image.fill(kBitmapColours[i]);
            paths_[i] = QString::fromStdString(dir_ / ("state" + std::to_string(i) + ".png"));
            ASSERT_TRUE(image.save(paths_[i]));
        }
        window_.resize(300, 200);
        edit_ = new QLineEdit(&window_);
        edit_->setGeometry(10, 150, 100, 20);
        button_ = new CHoverButton(&window_);
        button_->setGeometry(50, 50, 100, 44);
        ASSERT_TRUE(button_->LoadBitmaps(100, 44, paths_[0], paths_[1], paths_[2], paths_[3]));
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        edit_->setFocus();
        MoveTo(kAway);
    }

    void TearDown() override {
        // QTest remembers held buttons between calls; leave none held for the next test.
        QTest::mouseRelease(window_.windowHandle(), Qt::LeftButton, {}, kAway);
    }

    QPoint InWindow(QPoint onButton) const { return button_->mapTo(&window_, onButton); }
    void MoveTo(QPoint inWindow) { QTest::mouseMove(window_.windowHandle(), inWindow); }
    void MoveOnto(QPoint onButton = QPoint(50, 22)) { MoveTo(InWindow(onButton)); }
    void Press(QPoint inWindow) {
        QTest::mousePress(window_.windowHandle(), Qt::LeftButton, {}, inWindow);
    }
    void Release(QPoint inWindow) {
        QTest::mouseRelease(window_.windowHandle(), Qt::LeftButton, {}, inWindow);
    }
    // A full click with the pointer arriving first, as a user does it.
    void ClickOnButton() {
        MoveOnto(QPoint(40, 20));
        Press(InWindow(QPoint(41, 20)));
        Release(InWindow(QPoint(41, 20)));
    }

    QImage Picture() const { return button_->grab().toImage(); }
    QColor Centre() const { return Picture().pixelColor(50, 22); }

    static constexpr QPoint kAway{250, 170};
    TempDir dir_;
    QString paths_[4];
    QWidget window_;
    QLineEdit* edit_ = nullptr;
    CHoverButton* button_ = nullptr;
};

TEST_F(HoverButtonTest, DrawsTheBitmapOfItsStateUnscaledAtTheStoredSize) {
    for (int state = 0; state < 4; ++state) {
        button_->SetState(state);
        EXPECT_EQ(Centre(), kBitmapColours[state]) << "state " << state;
    }
    // Values outside 0..3 show the off bitmap.
    button_->SetState(7);
    EXPECT_EQ(Centre(), kBitmapColours[0]);

    // Only the stored width is copied: the rest of the button shows the face colour.
    button_->SetState(0);
    ASSERT_TRUE(button_->LoadBitmaps(40, 44, paths_[0], paths_[1], paths_[2], paths_[3]));
    EXPECT_EQ(Picture().pixelColor(30, 22), kBitmapColours[0]);
    EXPECT_EQ(Picture().pixelColor(60, 22), kFace);
}

TEST_F(HoverButtonTest, LoadBitmapsFailsWhenAnyBitmapIsMissing) {
    EXPECT_FALSE(button_->LoadBitmaps(100, 44, "NOSUCHBITMAP", paths_[1], paths_[2], paths_[3]));
    EXPECT_FALSE(button_->LoadBitmaps(100, 44, paths_[0], paths_[1], paths_[2], "/no/such.png"));
    // The missing bitmap leaves its slot empty; the others still draw.
    EXPECT_EQ(Centre(), kBitmapColours[0]);
    button_->SetState(3);
    EXPECT_EQ(Centre(), kFace);
}

TEST_F(HoverButtonTest, HoverRaisesTheFrameAndLeavingFlattensItWithoutChangingTheState) {
    EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameFlat);
    EXPECT_EQ(Picture().pixelColor(0, 0), kFace);

    MoveOnto();
    EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameRaised);
    QImage raised = Picture();
    EXPECT_EQ(raised.pixelColor(0, 0), kWhite);   // top left
    EXPECT_EQ(raised.pixelColor(50, 0), kWhite);  // top edge
    EXPECT_EQ(raised.pixelColor(0, 43), kGrey);   // bottom left corner belongs to the bottom
    EXPECT_EQ(raised.pixelColor(99, 0), kGrey);   // top right corner belongs to the right
    EXPECT_EQ(raised.pixelColor(99, 43), kGrey);
    EXPECT_EQ(raised.pixelColor(50, 22), kBitmapColours[0]);

    MoveOnto(QPoint(70, 30));  // moving about on the button changes nothing
    EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameRaised);

    MoveTo(kAway);
    EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameFlat);
    EXPECT_EQ(Picture().pixelColor(0, 0), kFace);
    EXPECT_EQ(button_->GetState(), 0);
}

TEST_F(HoverButtonTest, ClickingTheIdleButtonTakesTheFocusTurnsItOnAndSendsOneClick) {
    QSignalSpy clicks(button_, &QAbstractButton::clicked);
    ASSERT_TRUE(edit_->hasFocus());

    MoveOnto();
    Press(InWindow(QPoint(50, 22)));
    EXPECT_EQ(button_->GetState(), CHoverButton::kStateOffPressed);
    EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameSunken);
    EXPECT_TRUE(button_->hasFocus());
    QImage sunken = Picture();
    EXPECT_EQ(sunken.pixelColor(0, 0), kGrey);
    EXPECT_EQ(sunken.pixelColor(99, 43), kWhite);
    EXPECT_EQ(sunken.pixelColor(50, 22), kBitmapColours[1]);
    EXPECT_EQ(clicks.count(), 0);

    Release(InWindow(QPoint(50, 22)));
    EXPECT_EQ(button_->GetState(), CHoverButton::kStateOn);
    EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameRaised);
    EXPECT_EQ(Centre(), kBitmapColours[2]);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(HoverButtonTest, ClickingTheRunningButtonStaysPressedUntilTheOwnerResetsIt) {
    QSignalSpy clicks(button_, &QAbstractButton::clicked);
    button_->SetState(CHoverButton::kStateOn);

    MoveOnto();
    Press(InWindow(QPoint(50, 22)));
    EXPECT_EQ(button_->GetState(), CHoverButton::kStateOnPressed);
    EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameSunken);
    Release(InWindow(QPoint(50, 22)));
    EXPECT_EQ(button_->GetState(), CHoverButton::kStateOnPressed);
    EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameRaised);
    EXPECT_EQ(Centre(), kBitmapColours[3]);
    EXPECT_EQ(clicks.count(), 1);

    // A further click while the job stops changes nothing but is reported again.
    ClickOnButton();
    EXPECT_EQ(button_->GetState(), CHoverButton::kStateOnPressed);
    EXPECT_EQ(clicks.count(), 2);

    button_->SetState(CHoverButton::kStateOff);
    EXPECT_EQ(Centre(), kBitmapColours[0]);
    ClickOnButton();
    EXPECT_EQ(button_->GetState(), CHoverButton::kStateOn);
    EXPECT_EQ(clicks.count(), 3);
}

TEST_F(HoverButtonTest, PressingAndDraggingOffCancelsThePressWithoutAClick) {
    QSignalSpy clicks(button_, &QAbstractButton::clicked);
    for (int start : {CHoverButton::kStateOff, CHoverButton::kStateOn}) {
        button_->SetState(start);
        MoveOnto();
        Press(InWindow(QPoint(50, 22)));
        EXPECT_EQ(button_->GetState(), start + 1);
        MoveTo(kAway);
        EXPECT_EQ(button_->GetState(), start) << "from state " << start;
        EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameFlat);
        Release(kAway);
        EXPECT_EQ(button_->GetState(), start);
        EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameFlat);
    }
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(HoverButtonTest, ComingBackWhileHeldSinksTheFrameAndTheReleaseClicksWithTheStateKept) {
    QSignalSpy clicks(button_, &QAbstractButton::clicked);
    MoveOnto();
    Press(InWindow(QPoint(50, 22)));
    MoveTo(kAway);
    MoveOnto(QPoint(60, 25));
    EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameSunken);
    EXPECT_EQ(button_->GetState(), CHoverButton::kStateOff);
    Release(InWindow(QPoint(60, 25)));
    EXPECT_EQ(button_->GetState(), CHoverButton::kStateOff);
    EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameRaised);
    EXPECT_EQ(clicks.count(), 1);
}

// A press that began outside the program and is released over the button. The window system
// delivers such moves and the release to the widget under the pointer; they are sent directly.
TEST_F(HoverButtonTest, ReleaseOfAPressFromElsewhereClicksWithTheStateUnchanged) {
    QSignalSpy clicks(button_, &QAbstractButton::clicked);
    for (int start : {CHoverButton::kStateOff, CHoverButton::kStateOn}) {
        button_->SetState(start);
        const QPointF pos(30, 20);
        QMouseEvent move(QEvent::MouseMove, pos, button_->mapToGlobal(pos), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button_, &move);
        EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameSunken);
        EXPECT_EQ(button_->GetState(), start);
        QMouseEvent release(QEvent::MouseButtonRelease, pos, button_->mapToGlobal(pos),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(button_, &release);
        EXPECT_EQ(button_->GetState(), start);
        EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameRaised);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button_, &leave);
    }
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(HoverButtonTest, KeyboardActivationSendsOneClickAndLeavesTheStateAlone) {
    QSignalSpy clicks(button_, &QAbstractButton::clicked);
    QTest::keyClick(edit_, Qt::Key_Tab);
    ASSERT_TRUE(button_->hasFocus());
    EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameRaised);
    for (int state : {CHoverButton::kStateOff, CHoverButton::kStateOn}) {
        button_->SetState(state);
        QTest::keyClick(button_, Qt::Key_Space);
        EXPECT_EQ(button_->GetState(), state);
    }
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(HoverButtonTest, LosingTheFocusFlattensTheFrameAndTheNextMoveRaisesItAgain) {
    MoveOnto();
    Press(InWindow(QPoint(50, 22)));
    Release(InWindow(QPoint(50, 22)));
    ASSERT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameRaised);
    edit_->setFocus();
    EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameFlat);
    MoveOnto(QPoint(55, 22));
    EXPECT_EQ(button_->GetFrameStyle(), CHoverButton::kFrameRaised);
    EXPECT_EQ(button_->GetState(), CHoverButton::kStateOn);
}

TEST_F(HoverButtonTest, OtherMouseButtonsNeitherChangeTheStateNorClick) {
    QSignalSpy clicks(button_, &QAbstractButton::clicked);
    MoveOnto();
    QTest::mouseClick(window_.windowHandle(), Qt::RightButton, {}, InWindow(QPoint(50, 22)));
    QTest::mouseClick(window_.windowHandle(), Qt::MiddleButton, {}, InWindow(QPoint(50, 22)));
    EXPECT_EQ(button_->GetState(), CHoverButton::kStateOff);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(HoverButtonTest, SetStateFromAnotherThreadTakesEffectOnTheButtonsThread) {
    button_->SetState(CHoverButton::kStateOnPressed);
    std::thread worker([this] { button_->SetState(CHoverButton::kStateOff); });
    worker.join();
    EXPECT_TRUE(QTest::qWaitFor([this] { return button_->GetState() == CHoverButton::kStateOff; }));
    EXPECT_EQ(Centre(), kBitmapColours[0]);
}

}  // namespace
