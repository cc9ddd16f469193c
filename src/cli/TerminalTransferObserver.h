// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

#include "transfer/TransferObserver.h"
#include "transfer/TransferResult.h"

// Shows a running transfer on the terminal: the job's status texts as lines on the output, and,
// when the error stream is a terminal, a progress line on it that is redrawn in place. Every call
// comes from the job's thread; the thread that started the job only waits for it.
class TerminalTransferObserver : public TransferObserver {
  public:
    // `quiet`: print nothing while the job runs (the output is one JSON document at the end).
    TerminalTransferObserver(std::ostream& out, std::ostream& err, bool showProgress, bool quiet);

    void SetStatusText(const platform::UserMessage& text) override;
    void SetProgressRange(uint32_t maxMegabytes) override;
    void SetProgressPosition(uint32_t megabytes) override;
    void SetFreeSpaceText(const platform::UserMessage& text) override;
    void ShowMessageBox(const platform::UserMessage& text) override;
    void Finished(const TransferResult& result) override;

    const TransferResult& GetResult() const { return result_; }

  private:
    // The job's texts of a run going on, as opposed to its errors.
    static bool IsProgressText(const platform::UserMessage& text);
    void DrawProgress();
    void ClearProgress();

    std::ostream& out_;
    std::ostream& err_;
    bool showProgress_;
    bool quiet_;
    bool progressShown_ = false;
    uint32_t range_ = 0;
    uint32_t position_ = 0;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    TransferResult result_;
};
