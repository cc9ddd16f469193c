// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <atomic>
#include <string>
#include <thread>

#include "platform/volumes/VolumeEjector.h"

// Ejects the stick after a run on a thread of its own, since unmounting waits for the stick's
// data to be written, and tells when it is done. One eject at a time.
class EjectRunner : public QObject {
    Q_OBJECT

  public:
    explicit EjectRunner(QObject* parent = nullptr);
    // Waits for a running eject: it cannot be interrupted, and the stick must not be pulled
    // out half unmounted.
    ~EjectRunner() override;

    bool IsRunning() const { return running_; }
    // Starts ejecting `mountPoint`; false, starting nothing, while an eject runs.
    bool Start(const std::string& mountPoint);
    // Waits for a running eject without handling events; its Finished is not emitted then.
    void Wait();

  signals:
    // On the runner's thread once the eject has returned.
    void Finished(const platform::EjectResult& result);

  private slots:
    void OnEjectEnded();

  private:
    bool running_ = false;
    std::atomic<bool> done_{false};  // the running eject has its result
    platform::EjectResult result_;   // written by the eject's thread before done_
    std::thread thread_;
};
