// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/GuiTransferObserver.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <algorithm>

#include "ui/MessageText.h"

namespace {

// A stick of more than 2^31 megabytes is shown as full scale.
int ProgressValue(uint32_t megabytes) {
    return int(std::min<uint32_t>(megabytes, INT32_MAX));
}

}  // namespace

GuiTransferObserver::GuiTransferObserver(QWidget* window) : window_(window) {}

template <typename F>
void GuiTransferObserver::Post(F&& f) {
    // The report waits in our own queue, under our own lock, so that the hand-over is plain to
    // see for tools that check threads; Qt's queue only wakes this object on the GUI thread. The
    // job does not wait.
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        reports_.emplace_back(std::forward<F>(f));
    }
    QMetaObject::invokeMethod(this, "Deliver", Qt::QueuedConnection);
}

void GuiTransferObserver::Deliver() {
    for (;;) {
        std::function<void()> report;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            if (reports_.empty()) {
                return;
            }
            report = std::move(reports_.front());
            reports_.pop_front();
        }
        report();
    }
}

void GuiTransferObserver::SetStatusText(const platform::UserMessage& text) {
    copying_ = text.GetId() == platform::UserMessage::Id::kCopying;
    Post([this, text] { emit StatusTextChanged(MessageText::Translate(text)); });
}

void GuiTransferObserver::SetProgressRange(uint32_t maxMegabytes) {
    Post([this, maxMegabytes] { emit ProgressRangeChanged(ProgressValue(maxMegabytes)); });
}

// The job reports the position once for each song it has copied, after saying which one it
// copies; at its end it sets the position back to 0 after its last word. That reset is not
// passed on: the bar stays where the run left it.
void GuiTransferObserver::SetProgressPosition(uint32_t megabytes) {
    if (!copying_ && megabytes == 0) {
        return;
    }
    const bool song = copying_;
    Post([this, megabytes, song] {
        if (song) {
            emit SongCopied();
        }
        emit ProgressPositionChanged(ProgressValue(megabytes));
    });
}

void GuiTransferObserver::SetFreeSpaceText(const platform::UserMessage& text) {
    Post([this, text] { emit FreeSpaceTextChanged(MessageText::Translate(text)); });
}

void GuiTransferObserver::ShowMessageBox(const platform::UserMessage& text) {
    // The job waits until the box is closed, as it would for its own modal box, or until the
    // GUI abandons it.
    if (abandoned_) {
        return;
    }
    Post([this, text] {
        if (!abandoned_) {
            QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(),
                            MessageText::Translate(text), QMessageBox::Ok, window_);
            box.exec();
        }
        boxClosed_.release();
    });
    boxClosed_.acquire();
}

void GuiTransferObserver::Abandon() {
    abandoned_ = true;
    boxClosed_.release();
}

void GuiTransferObserver::Finished(const TransferResult&) {
    // The runner reports the end once the job's thread is done with everything.
}
