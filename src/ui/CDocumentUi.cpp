// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CDocumentUi.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

#include "collection/CTunecrateDoc.h"
#include "ui/CTunecrateView.h"
#include "ui/MessageText.h"

CDocumentUi::CDocumentUi(QWidget* window) : window_(window) {}

CDocumentUi::~CDocumentUi() {
    delete openDialog_;
    delete saveDialog_;
}

void CDocumentUi::ShowMessage(const platform::UserMessage& text) {
    QMessageBox box(QMessageBox::Information, QCoreApplication::applicationName(),
                    MessageText::Translate(text), QMessageBox::Ok, window_);
    box.exec();
}

void CDocumentUi::ShowError(const platform::UserMessage& text) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(),
                    MessageText::Translate(text), QMessageBox::Ok, window_);
    box.exec();
}

// The one question is whether to save the changes: the desktop's Save, Discard and Cancel.
CollectionUi::Answer CDocumentUi::AskYesNoCancel(const platform::UserMessage& question) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(),
                    MessageText::Translate(question),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, window_);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save:
            return Answer::kYes;
        case QMessageBox::Discard:
            return Answer::kNo;
        default:
            return Answer::kCancel;
    }
}

CollectionUi::ChangedAnswer CDocumentUi::AskChangedOnDisc(const std::string& path) {
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(),
                    tr("The music selection %1 was changed by another program since it was "
                       "read.\n\nReload it (your changes here are dropped), overwrite it "
                       "(the other program's changes are lost), or cancel?")
                        .arg(QString::fromStdString(path)),
                    QMessageBox::NoButton, window_);
    QPushButton* reload = box.addButton(tr("&Reload"), QMessageBox::AcceptRole);
    QPushButton* overwrite = box.addButton(tr("&Overwrite"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(reload);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == reload) {
        return ChangedAnswer::kReload;
    }
    return box.clickedButton() == overwrite ? ChangedAnswer::kOverwrite : ChangedAnswer::kCancel;
}

QStringList CDocumentUi::NameFilters(const std::string& filter) {
    const QStringList parts =
        QString::fromStdString(filter).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const int paren = description.indexOf(QLatin1Char('('));
        if (paren >= 0) {
            description = description.left(paren).trimmed();
        }
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern == QLatin1String("*.*")) {
                pattern = QStringLiteral("*");  // file names need no dot here
            }
        }
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

QFileDialog* CDocumentUi::GetDialog(const FileDialog& settings) {
    QFileDialog*& dialog = settings.open ? openDialog_ : saveDialog_;
    if (dialog) {
        return dialog;
    }
    // No parent, as the document's dialogs have none; modal to the whole program.
    dialog = new QFileDialog(nullptr);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setAcceptMode(settings.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog->setFileMode(settings.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setNameFilters(NameFilters(settings.filter));
    dialog->setDefaultSuffix(QString::fromStdString(settings.defaultExtension));
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !settings.overwritePrompt);
    dialog->setOption(QFileDialog::ReadOnly, false);
    dialog->setWindowTitle(settings.open ? QCoreApplication::translate("CDocumentUi", "Open")
                                         : QCoreApplication::translate("CDocumentUi", "Save As"));
    return dialog;
}

// Where a file dialog opens: the open collection's folder, else the music folder, else home;
// never the directory the program happened to be started in.
QString CDocumentUi::StartFolder() const {
    const std::string collection =
        view_ ? view_->GetSettings().GetMusicCollection() : std::string();
    const QFileInfo file(QString::fromStdString(collection));
    if (!collection.empty() && file.absoluteDir().exists()) {
        return file.absolutePath();
    }
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    return QFileInfo(music).isDir() ? music : QDir::homePath();
}

std::optional<std::string> CDocumentUi::ChooseFile(const FileDialog& settings) {
    QFileDialog* dialog = GetDialog(settings);
    dialog->setDirectory(StartFolder());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = dialog->selectedFiles().constFirst();
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path.toStdString();
}

QString CDocumentUi::WindowTitle(const QString& documentTitle) {
    const QString title = documentTitle.isEmpty()
                              ? QCoreApplication::translate("CDocumentUi", "Untitled")
                              : documentTitle;
    // "[*]" is where the window shows that the collection has unsaved changes.
    return QStringLiteral("%1[*] - %2").arg(title, QStringLiteral("Tunecrate"));
}

void CDocumentUi::SetTitle(const std::string& title) {
    if (window_) {
        window_->setWindowTitle(WindowTitle(QString::fromStdString(title)));
    }
}

void CDocumentUi::UpdateAllViews() {
    if (view_) {
        view_->RefillDirectoryList();
    }
}
