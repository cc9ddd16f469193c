#pragma once

#include <QListWidget>

// The list of music directories: several lines selectable, and a horizontal scroll extent that
// the owner sets (the widest line so far) and that does not follow the current lines, so that
// removing the widest line does not take the scroll range away.
class CDirectoryList : public QListWidget {
    Q_OBJECT

  public:
    explicit CDirectoryList(QWidget* parent = nullptr);

    void SetHorizontalExtent(int pixels);
    int HorizontalExtent() const { return extent_; }
    // The row whose text equals `text` ignoring letter case, or -1.
    int FindStringExact(const QString& text) const;

  protected:
    void updateGeometries() override;

  private:
    int extent_ = 0;
};
