#include "ui/CDirectoryList.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>

CDirectoryList::CDirectoryList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSortingEnabled(false);
    setTextElideMode(Qt::ElideNone);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

QStringList CDirectoryList::LocalPaths(const QMimeData* data) {
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths << QDir::cleanPath(url.toLocalFile());
        }
    }
    return paths;
}

void CDirectoryList::dragEnterEvent(QDragEnterEvent* event) {
    if (LocalPaths(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void CDirectoryList::dragMoveEvent(QDragMoveEvent* event) {
    event->setAccepted(!LocalPaths(event->mimeData()).isEmpty());
}

void CDirectoryList::dropEvent(QDropEvent* event) {
    const QStringList paths = LocalPaths(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit FoldersDropped(paths);
}

void CDirectoryList::SetHorizontalExtent(int pixels) {
    extent_ = pixels;
    updateGeometries();
}

int CDirectoryList::FindStringExact(const QString& text) const {
    for (int row = 0; row < count(); ++row) {
        if (item(row)->text().compare(text, Qt::CaseInsensitive) == 0) {
            return row;
        }
    }
    return -1;
}

void CDirectoryList::updateGeometries() {
    QListWidget::updateGeometries();
    // The scroll range covers the set extent even when the lines are narrower.
    const int needed = extent_ - viewport()->width();
    QScrollBar* bar = horizontalScrollBar();
    if (needed > bar->maximum()) {
        bar->setRange(0, needed);
        bar->setPageStep(viewport()->width());
    }
}
