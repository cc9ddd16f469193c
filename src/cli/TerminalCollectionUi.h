// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>

#include "collection/CollectionUi.h"

// The collection document's user interaction on a terminal: messages and errors go to the error
// stream. The command line never shows file dialogs or the save prompt: its commands name their
// files and save explicitly, so those calls answer "cancel" rather than guess.
class TerminalCollectionUi : public CollectionUi {
  public:
    explicit TerminalCollectionUi(std::ostream& err) : err_(err) {}

    // The document's plain message boxes refuse what was asked (a directory not found): on a
    // terminal they are errors.
    void ShowMessage(const platform::UserMessage& text) override {
        err_ << "error: " << OneLine(text.Text()) << "\n";
    }
    void ShowError(const platform::UserMessage& text) override {
        err_ << "error: " << OneLine(text.Text()) << "\n";
    }
    Answer AskYesNoCancel(const platform::UserMessage&) override { return Answer::kCancel; }
    // Another program saved meanwhile (a fill holds the lock, so its flags are the newer ones):
    // its flags are taken over before writing, and the user is told.
    ChangedAnswer AskChangedOnDisc(const std::string& path) override {
        err_ << path
             << " was changed by another program; its transfer flags are merged with this run's\n";
        return ChangedAnswer::kTakeFileFlags;
    }
    std::optional<std::string> ChooseFile(const FileDialog&) override { return std::nullopt; }
    void SetTitle(const std::string&) override {}
    void UpdateAllViews() override {}

  private:
    // Message boxes break their texts into lines; on a terminal each message is one line.
    static std::string OneLine(std::string text) {
        for (char& c : text) {
            if (c == '\n') {
                c = ' ';
            }
        }
        return text;
    }

    std::ostream& err_;
};
