// SPDX-License-Identifier: GPL-3.0-or-later
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
    done_ = false;
    thread_ = std::thread([this, mountPoint] {
        // The result is read once the thread has been joined; Qt's queue carries no data.
        result_ = platform::VolumeEjector::Eject(mountPoint);
        done_ = true;
        QMetaObject::invokeMethod(this, "OnEjectEnded", Qt::QueuedConnection);
    });
    return true;
}

void EjectRunner::Wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
    running_ = false;
}

void EjectRunner::OnEjectEnded() {
    if (!running_ || !done_) {
        return;  // waited for already, or the late word of an eject given up
    }
    Wait();
    emit Finished(result_);
}
