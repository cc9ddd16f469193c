// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "platform/UserMessage.h"
#include "transfer/TransferResult.h"

// How a transfer job talks to the user: the status line, the progress bar, the free-space text,
// a message box and the end of the job. Texts come as messages (platform::UserMessage): the
// terminal prints them in English, the GUI in the user's language. Every call comes from the job's
// worker thread, in order; the GUI forwards them to its own thread, the CLI prints them, tests
// record them.
class TransferObserver {
  public:
    virtual ~TransferObserver() = default;

    virtual void SetStatusText(const platform::UserMessage& text) = 0;
    // The progress bar runs from 0 to `maxMegabytes`.
    virtual void SetProgressRange(uint32_t maxMegabytes) = 0;
    virtual void SetProgressPosition(uint32_t megabytes) = 0;
    // "%lu MB free" after each file copied.
    virtual void SetFreeSpaceText(const platform::UserMessage& text) = 0;
    // A message box with an OK button; returns when the user has closed it.
    virtual void ShowMessageBox(const platform::UserMessage& text) = 0;
    // The last call of a job: the Start button goes back to idle. The job touches nothing of its
    // owner after this call.
    virtual void Finished(const TransferResult& result) = 0;
};
