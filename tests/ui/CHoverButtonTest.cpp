// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CHoverButton.h"

#include "UiTestSupport.h"

namespace {

using B = CHoverButton;
// One plain colour per state bitmap, so a pixel tells which bitmap is drawn.
const QColor kBitmapColours[4] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};

// The ways a press and release can reach the button.
enum class Way { kMouse, kDraggedOff, kDraggedBack, kFromElsewhere, kKeyboard };

// The button in a window beside a line edit that can take the focus away. Mouse input goes
// through the window, as the window system delivers it, so enter and leave come with it.
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
        ShowActive(window_);
        edit_->setFocus();
        MoveTo(kAway);
    }
    // QTest remembers held buttons between calls; none may stay held for the next test.
    void TearDown() override { Release(kAway); }

    QWindow* Window() { return window_.windowHandle(); }
    QPoint On(QPoint p = QPoint(50, 22)) const { return button_->mapTo(&window_, p); }
    void MoveTo(QPoint inWindow) { QTest::mouseMove(Window(), inWindow); }
    void Press(QPoint inWindow) { QTest::mousePress(Window(), Qt::LeftButton, {}, inWindow); }
    void Release(QPoint inWindow) { QTest::mouseRelease(Window(), Qt::LeftButton, {}, inWindow); }
    // A press that began outside the program, released over the button. The window system hands
    // such moves and the release to the widget under the pointer; here they are sent directly.
    void SendToButton(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF pos(30, 20);
        QMouseEvent event(type, pos, button_->mapToGlobal(pos), button, held, {});
        QApplication::sendEvent(button_, &event);
    }
    void PressAndRelease(Way way) {
        if (way == Way::kKeyboard) {
            button_->setFocus();
            QTest::keyClick(button_, Qt::Key_Space);
        } else if (way == Way::kFromElsewhere) {
            SendToButton(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
            EXPECT_EQ(button_->GetFrameStyle(), B::kFrameSunken);
            SendToButton(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(button_, &leave);
        } else {
            MoveTo(On(QPoint(49, 22)));
            Press(On());
            const QPoint end = way == Way::kDraggedOff ? kAway : On(QPoint(60, 25));
            if (way != Way::kMouse) {  // off the button and maybe back, the button still held
                MoveTo(kAway);
                EXPECT_EQ(button_->GetFrameStyle(), B::kFrameFlat);
                MoveTo(end);
                EXPECT_EQ(button_->GetFrameStyle(), end == kAway ? B::kFrameFlat : B::kFrameSunken);
            }
            Release(end);
        }
    }
    QColor Centre() const { return button_->grab().toImage().pixelColor(50, 22); }

    static constexpr QPoint kAway{250, 170};
    TempDir dir_;
    QString paths_[4];
    QWidget window_;
    QLineEdit* edit_ = nullptr;
    CHoverButton* button_ = nullptr;
};

// Unscaled; a state it does not know paints as off.
TEST_F(HoverButtonTest, PaintsTheBitmapOfItsState) {
    for (int state : {0, 1, 2, 3, 7}) {
        button_->SetState(state);
        EXPECT_EQ(Centre(), kBitmapColours[state == 7 ? 0 : state]) << "state " << state;
    }
}

TEST_F(HoverButtonTest, ABitmapThatCannotBeLoadedFailsTheLoad) {
    EXPECT_FALSE(button_->LoadBitmaps(100, 44, paths_[0], paths_[1], paths_[2], "/no/such.png"));
}

// Every release over the button is one click; a plain mouse click and a key move the state on.
TEST_F(HoverButtonTest, EachWayOfClickingReportsAndChangesTheStateAsItShould) {
    const auto expect = [this](int start, Way way, int end) {
        SCOPED_TRACE(testing::Message() << "state " << start << ", way " << int(way));
        button_->SetState(start);
        QSignalSpy clicks(button_, &QAbstractButton::clicked);
        PressAndRelease(way);
        EXPECT_EQ(button_->GetState(), end);
        EXPECT_EQ(clicks.count(), way == Way::kDraggedOff ? 0 : 1);
        EXPECT_EQ(Centre(), kBitmapColours[end]);
        MoveTo(kAway);
        edit_->setFocus();
    };
    for (Way way :
         {Way::kMouse, Way::kDraggedOff, Way::kDraggedBack, Way::kFromElsewhere, Way::kKeyboard}) {
        const bool whole = way == Way::kMouse || way == Way::kKeyboard;
        expect(B::kStateOff, way, whole ? B::kStateOn : B::kStateOff);
        expect(B::kStateOn, way, whole ? B::kStateOnPressed : B::kStateOn);
    }
    // The owner is still stopping: reported again, nothing changes.
    expect(B::kStateOnPressed, Way::kMouse, B::kStateOnPressed);
}

}  // namespace
