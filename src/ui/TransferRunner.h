// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>

#include "transfer/TransferResult.h"

class TransferJob;

// Runs one transfer job at a time on a thread of its own and tells when it has ended. It owns
// the thread and the stop flag that the job polls; the caller builds the job with StopFlag() and
// keeps what it handed the job alive until Finished, or until the runner is destroyed.
class TransferRunner : public QObject {
    Q_OBJECT

  public:
    explicit TransferRunner(QObject* parent = nullptr);
    // Asks a running job to stop and waits for its thread without handling events: the job's
    // observer must not wait for this thread by then.
    ~TransferRunner() override;

    const std::atomic<int>& StopFlag() const { return stopFlag_; }
    bool IsRunning() const { return job_ != nullptr; }

    // Starts `job` on the runner's thread; false, starting nothing, while another job runs.
    bool Start(std::unique_ptr<TransferJob> job);
    // Asks the running job to stop after the file it is copying.
    void Stop() { stopFlag_ = 1; }
    // Waits for a running job's thread without handling events and gives its result; Finished
    // is not emitted for it then. Nothing when no job runs.
    std::optional<TransferResult> Wait();

  signals:
    // On the runner's thread once the job's Run has returned; the job and its thread are gone.
    void Finished(const TransferResult& result);

  private slots:
    void OnJobEnded();

  private:
    void Join();

    std::atomic<int> stopFlag_{1};
    std::unique_ptr<TransferJob> job_;
    std::thread thread_;
    TransferResult result_;  // written by the job's thread before it ends
};
