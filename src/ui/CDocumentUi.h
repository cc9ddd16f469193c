// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "collection/CollectionUi.h"

class CTunecrateView;
class QFileDialog;
class QWidget;

// The collection document's dialogs with the user, in Qt widgets: the message boxes, the save
// prompt, the open and save dialogs (one of each, kept and shown again), the window title and the
// refill of the form after a file was opened. Every call comes from the window's thread.
class CDocumentUi : public QObject, public CollectionUi {
    Q_OBJECT

  public:
    // `window` is the main window: parent of the boxes and owner of the title.
    explicit CDocumentUi(QWidget* window);
    ~CDocumentUi() override;

    // The form that is refilled when a collection was opened.
    void SetView(CTunecrateView* view) { view_ = view; }

    void ShowMessage(const platform::UserMessage& text) override;
    void ShowError(const platform::UserMessage& text) override;
    Answer AskYesNoCancel(const platform::UserMessage& question) override;
    // Reload / Overwrite / Cancel.
    ChangedAnswer AskChangedOnDisc(const std::string& path) override;
    std::optional<std::string> ChooseFile(const FileDialog& dialog) override;
    void SetTitle(const std::string& title) override;
    void UpdateAllViews() override;

    // The window title for a document title, with the modified marker: "Rock[*] - Tunecrate",
    // "Untitled[*] - Tunecrate".
    static QString WindowTitle(const QString& documentTitle);
    // Qt name filters for a "Description|patterns|...||" filter; "*.*" means every file.
    static QStringList NameFilters(const std::string& filter);

  private:
    QFileDialog* GetDialog(const FileDialog& settings);
    QString StartFolder() const;

    QPointer<QWidget> window_;
    CTunecrateView* view_ = nullptr;
    QFileDialog* openDialog_ = nullptr;
    QFileDialog* saveDialog_ = nullptr;
};
