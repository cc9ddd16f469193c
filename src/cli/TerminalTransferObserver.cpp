// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TerminalTransferObserver.h"

#include "cli/ProgressBar.h"

TerminalTransferObserver::TerminalTransferObserver(std::ostream& out, std::ostream& err,
                                                   bool showProgress, bool quiet)
    : out_(out), err_(err), showProgress_(showProgress && !quiet), quiet_(quiet) {}

void TerminalTransferObserver::SetStatusText(const platform::UserMessage& text) {
    // The job's closing status after a refusal or a failure of the stick is its error, which the
    // summary prints once, on the error stream.
    if (quiet_ || !IsProgressText(text)) {
        return;
    }
    ClearProgress();
    out_ << text.Text() << std::endl;
    DrawProgress();
}

bool TerminalTransferObserver::IsProgressText(const platform::UserMessage& text) {
    using Id = platform::UserMessage::Id;
    return text.GetId() == Id::kDeleting || text.GetId() == Id::kFinished ||
           text.GetId() == Id::kRunStopped || text.GetId() == Id::kCopying;
}

void TerminalTransferObserver::SetProgressRange(uint32_t maxMegabytes) {
    range_ = maxMegabytes;
    start_ = std::chrono::steady_clock::now();
}

void TerminalTransferObserver::SetProgressPosition(uint32_t megabytes) {
    position_ = megabytes;
    DrawProgress();
}

void TerminalTransferObserver::SetFreeSpaceText(const platform::UserMessage&) {
    // The free space shows in the summary; per file it would only repeat the progress line.
}

void TerminalTransferObserver::ShowMessageBox(const platform::UserMessage& text) {
    ClearProgress();
    err_ << "error: " << text.Text() << std::endl;
}

void TerminalTransferObserver::Finished(const TransferResult& result) {
    ClearProgress();
    result_ = result;
}

void TerminalTransferObserver::DrawProgress() {
    if (!showProgress_ || range_ == 0) {
        return;
    }
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    err_ << "\r" << ProgressBar::Render(position_, range_, elapsed) << "\x1b[K" << std::flush;
    progressShown_ = true;
}

void TerminalTransferObserver::ClearProgress() {
    if (progressShown_) {
        err_ << "\r\x1b[K" << std::flush;
        progressShown_ = false;
    }
}
