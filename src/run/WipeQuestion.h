// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "platform/UserMessage.h"
#include "run/NumberFormat.h"
#include "transfer/StickContents.h"

class DriveInfo;

namespace run {

// The question a front end asks before it wipes the stick, decided once: whether to ask at all
// (StickContents::NeedsConfirmation), and what the question says. The front end words it in its
// language and answers "Delete" or "Cancel" (the command line: "y" or anything else).
class WipeQuestion {
  public:
    // The question for wiping `stick` with `contents`, or nothing when the wipe needs none. A
    // path that is no drive of its own needs none unless `plainFolder` allows filling such a
    // folder: otherwise the run refuses it and says why.
    static std::optional<WipeQuestion> For(const DriveInfo& stick, const StickContents& contents,
                                           bool plainFolder);

    // "Delete everything on MUSIC (/media/anna/MUSIC)?"
    platform::UserMessage Question() const { return question_; }
    // "Drive type: Removable Drive\nOn it: 1,204 files, 3.2 GB, 37 of them not music"
    platform::UserMessage Details(const NumberStyle& style = {}) const;
    // "1,204 files, 3.2 GB, 37 of them not music" (the last part only when there are such).
    static platform::UserMessage Contents(const StickContents& contents,
                                          const NumberStyle& style = {});

  private:
    WipeQuestion(platform::UserMessage question, platform::UserMessage kind,
                 const StickContents& contents)
        : question_(std::move(question)), kind_(std::move(kind)), contents_(contents) {}

    platform::UserMessage question_;
    platform::UserMessage kind_;
    StickContents contents_;
};

}  // namespace run
