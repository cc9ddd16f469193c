#pragma once

#include <QListWidget>
#include <QStringList>

class QMimeData;

// The list of music directories: several lines selectable, and a horizontal scroll extent that
// the owner sets (the widest line so far) and that does not follow the current lines, so that
// removing the widest line does not take the scroll range away. Folders dropped onto it from a
// file manager are handed to the owner, which adds them as typed paths.
class CDirectoryList : public QListWidget {
    Q_OBJECT

  public:
    explicit CDirectoryList(QWidget* parent = nullptr);

    void SetHorizontalExtent(int pixels);
    int HorizontalExtent() const { return extent_; }
    // The row whose text equals `text` ignoring letter case, or -1.
    int FindStringExact(const QString& text) const;

  signals:
    // Local folders dropped onto the list, in the order given.
    void FoldersDropped(const QStringList& paths);

  protected:
    void updateGeometries() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // The local paths of a drag's URLs; empty when it carries none.
    static QStringList LocalPaths(const QMimeData* data);

    int extent_ = 0;
};
