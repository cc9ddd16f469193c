#include "ui/EjectRunner.h"

EjectRunner::EjectRunner(QObject* parent) : QObject(parent) {}

EjectRunner::~EjectRunner() {
    Wait();
}

bool EjectRunner::Start(const std::string& mountPoint) {
    if (running_) {
        return false;
    }
    Wait();
    running_ = true;
    const unsigned eject = ++ejects_;
    thread_ = std::thread([this, mountPoint, eject] {
        const platform::EjectResult result = platform::VolumeEjector::Eject(mountPoint);
        QMetaObject::invokeMethod(
            this, [this, result, eject] { OnEjectEnded(result, eject); }, Qt::QueuedConnection);
    });
    return true;
}

void EjectRunner::Wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
    running_ = false;
}

void EjectRunner::OnEjectEnded(const platform::EjectResult& result, unsigned eject) {
    if (!running_ || eject != ejects_) {
        return;  // waited for already: that end was given up
    }
    Wait();
    emit Finished(result);
}
