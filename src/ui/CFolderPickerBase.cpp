// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CFolderPickerBase.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>

#include "ui/StringTable.h"

namespace {

// Lets a long path wrap after each separator instead of being cut off.
QString WithBreakOpportunities(QString path) {
    path.replace(QLatin1Char('/'), QStringLiteral("/\u200b"));
    path.replace(QLatin1Char('\\'), QStringLiteral("\\\u200b"));
    return path;
}

}  // namespace

CFolderPickerBase::CFolderPickerBase(QWidget* owner, int titleId) : owner_(owner) {
    SetTitleFromResource(titleId);
}

CFolderPickerBase::~CFolderPickerBase() = default;

void CFolderPickerBase::SetOwnerWindow(QWidget* owner) {
    if (openPicker_ == nullptr) {
        owner_ = owner;
    }
}

void CFolderPickerBase::SetOptionFlags(unsigned flags) {
    if (openPicker_ == nullptr) {
        flags_ = flags;
    }
}

bool CFolderPickerBase::SetTitleFromResource(int id) {
    QString text;
    if (id <= 0 || !StringTable::Load(id, text)) {
        return false;
    }
    if (openPicker_ == nullptr) {
        title_ = text;
    }
    return true;
}

bool CFolderPickerBase::Run() {
    QFileDialog dialog(owner_, title_);
    // The desktop's own folder picker where there is one; Qt's, which also shows the status
    // line, elsewhere.
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, (flags_ & kOnlyFileSystemDirs) != 0);
    dialog.setWindowTitle(title_);
    // Room for the name, type and date columns without cutting them short.
    dialog.resize(dialog.sizeHint().expandedTo(QSize(760, 460)));
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        details->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        details->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    if (flags_ & kStatusText) {
        AddStatusLine(dialog);
    }
    QObject::connect(&dialog, &QFileDialog::currentChanged,
                     [this](const QString& path) { OnSelectionChanged(path); });
    QObject::connect(&dialog, &QFileDialog::directoryEntered,
                     [this](const QString& path) { OnSelectionChanged(path); });

    openPicker_ = &dialog;
    OnDialogInitialized();
    const bool accepted = dialog.exec() == QDialog::Accepted;
    openPicker_ = nullptr;
    statusLine_ = nullptr;

    const QStringList picked = dialog.selectedFiles();
    if (!accepted || picked.isEmpty() || picked.first().isEmpty()) {
        return false;
    }
    chosenPath_ = QDir::toNativeSeparators(QDir::cleanPath(picked.first()));
    return true;
}

void CFolderPickerBase::SelectFolderInDialog(const QString& path) {
    const QFileInfo folder(path);
    if (openPicker_ == nullptr || path.isEmpty() || !folder.isDir()) {
        return;
    }
    const QString clean = QDir::cleanPath(folder.absoluteFilePath());
    if (QDir(clean).isRoot()) {
        openPicker_->setDirectory(clean);
    } else {
        // Opens the parent folder with this one selected.
        openPicker_->selectFile(clean);
    }
}

void CFolderPickerBase::ShowStatusText(const QString& text) {
    if (openPicker_ != nullptr && statusLine_ != nullptr) {
        statusLine_->setText(WithBreakOpportunities(QDir::toNativeSeparators(text)));
    }
}

void CFolderPickerBase::AddStatusLine(QFileDialog& dialog) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr) {
        return;
    }
    statusLine_ = new QLabel(&dialog);
    statusLine_->setObjectName("folderStatusLine");
    statusLine_->setTextFormat(Qt::PlainText);
    statusLine_->setWordWrap(true);
    statusLine_->setFrameShape(QFrame::StyledPanel);
    statusLine_->setFrameShadow(QFrame::Sunken);
    grid->addWidget(statusLine_, grid->rowCount(), 0, 1, grid->columnCount());
}
