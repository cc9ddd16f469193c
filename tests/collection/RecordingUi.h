// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "collection/CollectionUi.h"

// Records what the document shows and replies as scripted. An unscripted prompt gets Cancel and
// an unscripted file dialog is cancelled, so an unexpected dialog cannot go on unnoticed.
class RecordingUi : public CollectionUi {
  public:
    void ShowMessage(const platform::UserMessage& m) override { messages.push_back(m.Text()); }
    void ShowError(const platform::UserMessage& m) override { errors.push_back(m.Text()); }
    Answer AskYesNoCancel(const platform::UserMessage& question) override {
        questions.push_back(question.Text());
        return Next(answers, Answer::kCancel);
    }
    ChangedAnswer AskChangedOnDisc(const std::string& path) override {
        changedQuestions.push_back(path);
        return Next(changedAnswers, ChangedAnswer::kCancel);
    }
    std::optional<std::string> ChooseFile(const FileDialog& dialog) override {
        dialogs.push_back(dialog);
        return Next(chosenFiles, std::optional<std::string>());
    }
    void SetTitle(const std::string& text) override { title = text; }
    void UpdateAllViews() override { ++viewUpdates; }

    std::deque<Answer> answers;
    std::deque<ChangedAnswer> changedAnswers;
    std::deque<std::optional<std::string>> chosenFiles;

    std::vector<std::string> messages, errors, questions, changedQuestions;
    std::vector<FileDialog> dialogs;
    std::string title;
    int viewUpdates = 0;

  private:
    template <typename T>
    static T Next(std::deque<T>& script, T next) {
        if (!script.empty()) {
            next = script.front();
            script.pop_front();
        }
        return next;
    }
};
