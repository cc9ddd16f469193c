// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TransferRunner.h"

#include "transfer/TransferJob.h"

TransferRunner::TransferRunner(QObject* parent) : QObject(parent) {}

TransferRunner::~TransferRunner() {
    // The end the job posts is dropped with this object.
    Stop();
    Join();
}

bool TransferRunner::Start(std::unique_ptr<TransferJob> job) {
    if (IsRunning() || !job) {
        return false;
    }
    Join();
    stopFlag_ = 0;
    job_ = std::move(job);
    TransferJob* running = job_.get();
    thread_ = std::thread([this, running] {
        // The result is read once the thread has been joined; Qt's queue carries no data.
        result_ = running->Run();
        QMetaObject::invokeMethod(this, "OnJobEnded", Qt::QueuedConnection);
    });
    return true;
}

void TransferRunner::OnJobEnded() {
    if (!job_) {
        return;  // waited for already
    }
    Join();
    job_.reset();
    emit Finished(result_);
}

std::optional<TransferResult> TransferRunner::Wait() {
    if (!job_) {
        return std::nullopt;
    }
    Join();
    job_.reset();
    return result_;
}

void TransferRunner::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}
