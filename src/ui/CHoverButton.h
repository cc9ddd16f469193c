// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QSize>
#include <QString>

// The owner-drawn Start button: a two-position toggle (off / on) with a pressed look for each
// position. Without bitmaps it is drawn as a push button of the desktop with the caption and
// icon of its position. With them it paints one of four bitmaps chosen by its state and a one-pixel
// frame that follows the mouse: flat when the pointer is elsewhere, raised while it is over the
// button, sunken while the left button is held on it. A mouse click sends exactly one clicked()
// notification, in every state; the owner decides from GetState() what the click means.
class CHoverButton : public QPushButton {
    Q_OBJECT

  public:
    // 0 off, 1 off and pressed, 2 on (a transfer runs), 3 on and pressed.
    enum State { kStateOff = 0, kStateOffPressed = 1, kStateOn = 2, kStateOnPressed = 3 };
    enum FrameStyle { kFrameFlat = 0, kFrameSunken = 1, kFrameRaised = 2 };

    explicit CHoverButton(QWidget* parent = nullptr);

    // Loads the bitmaps for states 0 to 3 and the size in which they are drawn (the top-left
    // width x height pixels of each, unscaled). A name is an embedded bitmap ("STARTU" is
    // :/bitmaps/STARTU.png) or, when it contains a slash, a file path. Returns false unless all
    // four could be loaded; a bitmap that fails leaves its slot empty.
    bool LoadBitmaps(int width, int height, const QString& off, const QString& offPressed,
                     const QString& on, const QString& onPressed);

    // Stores the state and repaints; on the button's thread (the transfer's end reaches the form
    // there through its runner).
    void SetState(int state);
    int GetState() const { return state_; }
    // The labels written over the pictures, or the captions without them: while off ("Start")
    // and while on ("Stop").
    void SetTexts(const QString& off, const QString& on);
    // The icons beside the captions when the button has no pictures.
    void SetIcons(const QIcon& off, const QIcon& on);
    int GetFrameStyle() const { return frameStyle_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Space and Enter click the focused button as a mouse click would.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Space, Enter or the Alt key: the idle button goes on, the running one asks to stop.
    void ClickByKey();
    void OnMouseEnter(Qt::MouseButtons buttons);
    void OnMouseLeave();
    void PointerLeft();
    void Repaint();

    QPixmap bitmaps_[4];
    QSize bitmapSize_;
    QString offText_;
    QString onText_;
    QIcon offIcon_;
    QIcon onIcon_;
    int state_ = kStateOff;
    bool pressed_ = false;
    int frameStyle_ = kFrameFlat;
    // Set while the pointer is over the button, as far as the button has been told.
    bool tracking_ = false;
};
