// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CDirectoryList.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

CDirectoryList::CDirectoryList(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(3);
    setHeaderLabels({tr("Folder"), tr("Songs"), tr("Not yet transferred")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSortingEnabled(false);
    // A long path keeps its beginning and its end; the whole path is the row's tooltip.
    setTextElideMode(Qt::ElideMiddle);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(kFolder, QHeaderView::Stretch);
    header()->setSectionResizeMode(kSongs, QHeaderView::ResizeToContents);
    header()->setSectionResizeMode(kUntransferred, QHeaderView::ResizeToContents);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

void CDirectoryList::AppendFolder(const QString& path, bool available) {
    auto* item = new QTreeWidgetItem(this);
    item->setData(kFolder, Qt::UserRole, path);
    item->setText(kFolder, available ? path : tr("%1 (not available)").arg(path));
    item->setToolTip(kFolder, QDir::toNativeSeparators(path));
    for (int column : {kSongs, kUntransferred}) {
        item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (!available) {
        const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
        for (int column = 0; column < columnCount(); ++column) {
            item->setForeground(column, grey);
        }
    }
}

void CDirectoryList::SetCounts(int row, const Counts& counts) {
    QTreeWidgetItem* item = topLevelItem(row);
    const QLocale locale;
    const QString songs = locale.toString(counts.songs);
    const QString untransferred = locale.toString(counts.untransferred);
    // Unchanged texts are left alone: a refresh during a run redraws only what changed.
    if (item && (item->text(kSongs) != songs || item->text(kUntransferred) != untransferred)) {
        item->setText(kSongs, songs);
        item->setText(kUntransferred, untransferred);
    }
}

QString CDirectoryList::PathAt(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(kFolder, Qt::UserRole).toString() : QString();
}

QStringList CDirectoryList::Paths() const {
    QStringList paths;
    for (int row = 0; row < count(); ++row) {
        paths << PathAt(row);
    }
    return paths;
}

int CDirectoryList::FindStringExact(const QString& path) const {
    for (int row = 0; row < count(); ++row) {
        if (PathAt(row).compare(path, Qt::CaseInsensitive) == 0) {
            return row;
        }
    }
    return -1;
}

QList<int> CDirectoryList::SelectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows << index.row();
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

// An empty collection says how to fill it, in the place the folders will take.
void CDirectoryList::paintEvent(QPaintEvent* event) {
    QTreeWidget::paintEvent(event);
    if (count() > 0) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const QRect box = viewport()->rect().adjusted(12, 12, -12, -12);
    painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap,
                     tr("No music folders yet.\nType a folder's path above and press Enter, "
                        "click Add Folder, or drop folders here."));
}

QStringList CDirectoryList::LocalFolders(const QMimeData* data) {
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isDir()) {
            paths << QDir::cleanPath(url.toLocalFile());
        }
    }
    return paths;
}

void CDirectoryList::dragEnterEvent(QDragEnterEvent* event) {
    if (LocalFolders(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void CDirectoryList::dragMoveEvent(QDragMoveEvent* event) {
    event->setAccepted(!LocalFolders(event->mimeData()).isEmpty());
}

void CDirectoryList::dropEvent(QDropEvent* event) {
    const QStringList paths = LocalFolders(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit FoldersDropped(paths);
}
