// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CFolderBrowser.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

CFolderBrowser::CFolderBrowser(QWidget* owner, int titleId) : CFolderPickerBase(owner, titleId) {}

QString CFolderBrowser::DefaultStartFolder() {
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (!music.isEmpty() && QFileInfo(music).isDir()) {
        return QDir::toNativeSeparators(music);
    }
    return QDir::toNativeSeparators(QDir::homePath());
}

void CFolderBrowser::OnDialogInitialized() {
    SelectFolderInDialog(startFolder_);
    ShowStatusText(startFolder_);
}

void CFolderBrowser::OnSelectionChanged(const QString& path) {
    ShowStatusText(path);
}
