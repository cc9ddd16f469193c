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
        const TransferResult result = running->Run();
        QMetaObject::invokeMethod(
            this, [this, result] { OnJobEnded(result); }, Qt::QueuedConnection);
    });
    return true;
}

void TransferRunner::OnJobEnded(const TransferResult& result) {
    Join();
    job_.reset();
    emit Finished(result);
}

void TransferRunner::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}
