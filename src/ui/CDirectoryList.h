// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTreeWidget>

class QMimeData;

// The music directories of the collection as a table: the folder, its songs and those not yet
// transferred; a folder that is not there is greyed and says so. Several rows can be selected.
// While it is empty it says how to fill it. Folders dropped onto it from a file manager are
// handed to the owner; files and web addresses are not taken.
class CDirectoryList : public QTreeWidget {
    Q_OBJECT

  public:
    enum Column { kFolder = 0, kSongs = 1, kUntransferred = 2 };

    struct Counts {
        quint64 songs = 0;
        quint64 untransferred = 0;
    };

    explicit CDirectoryList(QWidget* parent = nullptr);

    // Appends a row for `path`; an unavailable folder is greyed.
    void AppendFolder(const QString& path, bool available);
    // The songs of a row's folder and those not yet transferred, in the user's number format.
    void SetCounts(int row, const Counts& counts);
    int count() const { return topLevelItemCount(); }
    // The folder path of a row, as the collection holds it.
    QString PathAt(int row) const;
    QStringList Paths() const;
    // The row whose path equals `path` ignoring letter case, or -1.
    int FindStringExact(const QString& path) const;
    // The selected rows, in ascending order.
    QList<int> SelectedRows() const;

  signals:
    // Local folders dropped onto the list, in the order given.
    void FoldersDropped(const QStringList& paths);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // The local folders among a drag's URLs; empty when it carries none.
    static QStringList LocalFolders(const QMimeData* data);
};
