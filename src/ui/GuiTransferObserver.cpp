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
    // Queued to this object, which lives on the GUI thread; the job does not wait.
    QMetaObject::invokeMethod(this, std::forward<F>(f), Qt::QueuedConnection);
}

void GuiTransferObserver::SetStatusText(const platform::UserMessage& text) {
    Post([this, text] { emit StatusTextChanged(MessageText::Translate(text)); });
}

void GuiTransferObserver::SetProgressRange(uint32_t maxMegabytes) {
    Post([this, maxMegabytes] { emit ProgressRangeChanged(ProgressValue(maxMegabytes)); });
}

void GuiTransferObserver::SetProgressPosition(uint32_t megabytes) {
    Post([this, megabytes] { emit ProgressPositionChanged(ProgressValue(megabytes)); });
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
