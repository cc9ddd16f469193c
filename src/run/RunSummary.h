// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/UserMessage.h"
#include "run/NumberFormat.h"
#include "transfer/TransferResult.h"

namespace run {

// How a run ended, decided once for every front end: the name of its ending (for JSON and
// scripts), why it ended and the status line in words (message ids, which the command line prints
// in English and a GUI translates), whether it failed, the exit status and whether to eject.
class RunSummary {
  public:
    explicit RunSummary(const TransferResult& result) : result_(result) {}

    // "stickFull", "limitReached", "folderFull", "deviceLimit", "allHandled", "stopped",
    // "indexError", "refused", "stickFailed".
    const char* EndingName() const;
    // Why the run ended: "the stick is full: ...", "stopped on request", or the error.
    platform::UserMessage Ending() const;
    // The status line after the run: "Finished copying: 12 songs, 48 MB — <ending>",
    // "Stopped after 3 songs", the error, with failed copies and a new cycle noted.
    platform::UserMessage StatusLine(const NumberStyle& style = {}) const;
    // What went wrong as a whole; empty when the run did what it should. A run fails when it was
    // refused, the stick failed, it was stopped, the collection or the playlist was not written,
    // or songs were drawn and none of them arrived.
    platform::UserMessage Failure() const;
    // The one warning a window shows in a box after the run; empty when there is none: the error
    // of a refused run or of a failed stick, else the playlist not written, else the songs not
    // put in play order.
    platform::UserMessage Warning() const;
    bool Succeeded() const {
        return result_.ending != TransferResult::Ending::kRefused && Failure().IsEmpty();
    }
    // 0 when the run succeeded, else 1.
    int ExitStatus() const { return Succeeded() ? 0 : 1; }
    // Whether to eject the stick afterwards when the user asked for it: not after a dry run and
    // not when the run was refused (the stick may not even be the one meant).
    bool ShouldEject(bool asked) const;
    // Whether the owner of the collection saves it now: after every run that got to its stick,
    // unless it was a dry run.
    bool SaveDue() const;

  private:
    const TransferResult& result_;
};

}  // namespace run
