#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QString>

// A push button shown as two pictures: the up picture while released, the down picture while
// pressed, with its text written over the picture's right part. AutoLoad takes the pictures named
// after the button's caption and sizes the button to them.
class CBitmapButton : public QAbstractButton {
    Q_OBJECT

  public:
    // `caption` names the pictures (stem + "U", stem + "D"); it is never shown.
    explicit CBitmapButton(const QString& caption, QWidget* parent = nullptr);

    // Loads caption + "U" and caption + "D" from the embedded pictures, replacing earlier ones,
    // and resizes the button to the up picture. False when either is missing.
    bool AutoLoad();

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString caption_;
    QPixmap up_;
    QPixmap down_;
};
