// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <cstddef>
#include <functional>

class QWidget;

// Runs one piece of work (a folder walk, counting a stick) on a worker thread while the window
// keeps drawing. Run returns when the work has ended, as a modal dialog does: for the first
// moment the user's input waits, then a busy box says what is going on (with the work's count)
// and, where the work can stop early, offers Cancel.
class BusyTask : public QObject {
    Q_OBJECT

  public:
    // The work: polls `cancel`, counts its steps in `progress`.
    using Work =
        std::function<void(const std::atomic<bool>& cancel, std::atomic<size_t>& progress)>;
    // The busy box's text for a count of steps.
    using Label = std::function<QString(size_t progress)>;

    BusyTask(QWidget* window, Label label, bool cancellable);

    // Runs `work` on a worker thread and returns once it has ended: true, or false when the
    // user cancelled it (the work has returned all the same).
    bool Run(const Work& work);

    // How long the work may take before the busy box shows.
    static constexpr int kBusyDelayMs = 300;

  signals:
    void Ended();

  private:
    QWidget* window_;
    Label label_;
    bool cancellable_;
    std::atomic<bool> cancel_{false};
    std::atomic<size_t> progress_{0};
};
