// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BusyTask.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <thread>

namespace {

constexpr int kLabelIntervalMs = 100;

}  // namespace

BusyTask::BusyTask(QWidget* window, Label label, bool cancellable)
    : window_(window), label_(std::move(label)), cancellable_(cancellable) {}

bool BusyTask::Run(const Work& work) {
    cancel_ = false;
    progress_ = 0;
    bool ended = false;
    QEventLoop loop;
    connect(this, &BusyTask::Ended, &loop, [&] {
        ended = true;
        loop.quit();
    });
    std::thread worker([this, &work] {
        work(cancel_, progress_);
        // By name, so that Qt itself makes the queued call: the hand-over then lies wholly
        // within Qt, which tools that check threads cannot see into.
        QMetaObject::invokeMethod(this, "Ended", Qt::QueuedConnection);
    });
    // A short piece of work shows no box; meanwhile clicks and keys wait for it.
    QTimer::singleShot(kBusyDelayMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!ended) {
        QProgressDialog box(label_(progress_), QString(), 0, 0, window_);
        box.setObjectName(QStringLiteral("busyBox"));
        box.setWindowTitle(QCoreApplication::applicationName());
        box.setWindowModality(Qt::WindowModal);
        box.setMinimumDuration(0);
        box.setAutoClose(false);
        box.setAutoReset(false);
        if (cancellable_) {
            box.setCancelButtonText(tr("Cancel"));
            connect(&box, &QProgressDialog::canceled, this, [this, &box] {
                cancel_ = true;
                box.setLabelText(tr("Stopping..."));
            });
        }
        QTimer label;
        connect(&label, &QTimer::timeout, &box, [this, &box] {
            if (!cancel_) {
                box.setLabelText(label_(progress_));
            }
        });
        label.start(kLabelIntervalMs);
        box.show();
        loop.exec();
    }
    worker.join();
    return !cancel_;
}
