// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/UserMessage.h"

class FileOperations;

namespace run {

// Puts an existing stick's songs on disc in play order (StickOrder): the playlist's order, then
// the stick's record's, in name order where neither lists a folder's songs. Decided once for
// every front end: what is refused, and what is said afterwards.
class PlayOrderRun {
  public:
    enum class Ending { kDone, kNothingToDo, kRefused, kFailed };

    // `plainFolder`: a folder that is no drive of its own is accepted too.
    static PlayOrderRun Run(const std::string& stick, bool plainFolder,
                            const FileOperations& files);

    Ending GetEnding() const { return ending_; }
    // "done", "nothingToDo", "refused", "failed".
    const char* EndingName() const;
    unsigned Folders() const { return folders_; }
    unsigned Songs() const { return songs_; }
    // "3 folders put in play order, 120 songs in them", or why nothing was done.
    const platform::UserMessage& Message() const { return message_; }
    bool Succeeded() const { return ending_ == Ending::kDone || ending_ == Ending::kNothingToDo; }
    int ExitStatus() const { return Succeeded() ? 0 : 1; }

  private:
    Ending ending_ = Ending::kNothingToDo;
    unsigned folders_ = 0;
    unsigned songs_ = 0;
    platform::UserMessage message_;
};

}  // namespace run
