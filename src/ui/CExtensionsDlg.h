// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include "storage/AppSettings.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Edits the music file extensions of the program settings. The list is a working copy, kept in
// alphabetical order; typed extensions pass the settings' one check (lower-cased, a leading dot
// dropped, at most 16 characters, no blanks, wildcards or separators; the reason for a refusal is
// shown in the dialog) and are never duplicated (letter case aside). "OK" replaces the settings'
// list; Cancel, Escape and the close box discard the changes. Enter adds the typed extension and
// keeps the dialog open.
class CExtensionsDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CExtensionsDlg(AppSettings& settings, QWidget* parent = nullptr);

    // The extensions as the list shows them, first to last.
    QStringList GetListedExtensions() const;

    // Adds the edit's text to the list unless it is empty, refused or listed already.
    void AddTypedExtension();
    // The reason for a refused extension, in the user's language.
    static QString ProblemText(AppSettings::ExtensionCheck::Problem problem);
    // Deletes the first selected list item, if any.
    void RemoveSelectedExtension();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void LayOut();
    void FillList();
    void InsertSorted(const QString& extension);
    void OnOK();

    AppSettings& settings_;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLineEdit* newExtension_ = nullptr;
    QLabel* newLabel_ = nullptr;
    QListWidget* list_ = nullptr;
    QLabel* listLabel_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QLabel* problem_ = nullptr;
};
