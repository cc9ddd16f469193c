// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "win/WinApi.h"

#include <atomic>
#include <memory>
#include <thread>

#include "platform/files/Handle_win.h"
#include "transfer/TransferObserver.h"

class TransferJob;

// Runs one transfer job at a time on a thread of its own. The job's reports reach the window as
// posted messages (WinMessages.h), its end as WM_APP_TRANSFER_ENDED, on which the window calls
// OnEnded. The window never waits for the job, except at its very end (the destructor).
class WinTransferRunner : public TransferObserver {
  public:
    explicit WinTransferRunner(HWND window);
    // Asks a running job to stop, lets a message box it waits for go, and waits for its thread.
    ~WinTransferRunner() override;

    const std::atomic<int>& StopFlag() const { return stopFlag_; }
    bool IsRunning() const { return job_ != nullptr; }
    // Starts `job`; false, starting nothing, while another job runs.
    bool Start(std::unique_ptr<TransferJob> job);
    void Stop() { stopFlag_ = 1; }
    // After WM_APP_TRANSFER_ENDED: the thread is joined and the job released.
    void OnEnded();
    // After the window showed the message box of WM_APP_MESSAGE_BOX: the job goes on.
    void MessageBoxClosed() { SetEvent(boxClosed_.Get()); }

    // TransferObserver, on the job's thread.
    void SetStatusText(const platform::UserMessage& text) override;
    void SetProgressRange(uint32_t maxMegabytes) override;
    void SetProgressPosition(uint32_t megabytes) override;
    void SetFreeSpaceText(const platform::UserMessage& text) override;
    void ShowMessageBox(const platform::UserMessage& text) override;
    void Finished(const TransferResult&) override {}

  private:
    HWND window_;
    std::atomic<int> stopFlag_{1};
    std::atomic<bool> abandoned_{false};
    platform::Win32Handle boxClosed_;  // an event: the message box was closed
    std::unique_ptr<TransferJob> job_;
    std::thread thread_;
};
