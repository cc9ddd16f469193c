#include "ui/CDirectoryList.h"

#include <QScrollBar>

CDirectoryList::CDirectoryList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSortingEnabled(false);
    setTextElideMode(Qt::ElideNone);
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
