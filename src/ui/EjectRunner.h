#pragma once

#include <QObject>
#include <string>
#include <thread>

#include "platform/VolumeEjector.h"

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

  private:
    void OnEjectEnded(const platform::EjectResult& result, unsigned eject);

    bool running_ = false;
    unsigned ejects_ = 0;  // ejects started, to tell a given-up end from the current one
    std::thread thread_;
};
