// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/WinTransferRunner.h"

#include "transfer/TransferJob.h"
#include "win/WinMessages.h"

WinTransferRunner::WinTransferRunner(HWND window)
    : window_(window), boxClosed_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

WinTransferRunner::~WinTransferRunner() {
    Stop();
    abandoned_ = true;
    SetEvent(boxClosed_.Get());
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool WinTransferRunner::Start(std::unique_ptr<TransferJob> job) {
    if (IsRunning() || !job) {
        return false;
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    stopFlag_ = 0;
    job_ = std::move(job);
    TransferJob* running = job_.get();
    thread_ = std::thread([this, running] {
        PostPayload(window_, WM_APP_TRANSFER_ENDED, new TransferResult(running->Run()));
    });
    return true;
}

void WinTransferRunner::OnEnded() {
    if (thread_.joinable()) {
        thread_.join();
    }
    job_.reset();
}

void WinTransferRunner::SetStatusText(const platform::UserMessage& text) {
    PostPayload(window_, WM_APP_STATUS_TEXT, new platform::UserMessage(text));
}

void WinTransferRunner::SetProgressRange(uint32_t maxMegabytes) {
    PostMessageW(window_, WM_APP_PROGRESS_RANGE, maxMegabytes, 0);
}

void WinTransferRunner::SetProgressPosition(uint32_t megabytes) {
    PostMessageW(window_, WM_APP_PROGRESS_POS, megabytes, 0);
}

void WinTransferRunner::SetFreeSpaceText(const platform::UserMessage& text) {
    PostPayload(window_, WM_APP_FREE_SPACE, new platform::UserMessage(text));
}

void WinTransferRunner::ShowMessageBox(const platform::UserMessage& text) {
    // The job waits until the box is closed, as for a modal box of its own, or the window goes.
    if (abandoned_) {
        return;
    }
    auto* message = new platform::UserMessage(text);
    if (!PostMessageW(window_, WM_APP_MESSAGE_BOX, 0, reinterpret_cast<LPARAM>(message))) {
        delete message;
        return;
    }
    WaitForSingleObject(boxClosed_.Get(), INFINITE);
}
