#include "ui/GuiTransferObserver.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <algorithm>

#include "ui/CTunecrateView.h"
#include "ui/MessageText.h"

GuiTransferObserver::GuiTransferObserver(CTunecrateView* view) : view_(view) {}

template <typename F>
void GuiTransferObserver::Post(F&& f) {
    // Queued to this object, which lives on the form's thread; the job does not wait.
    QMetaObject::invokeMethod(this, std::forward<F>(f), Qt::QueuedConnection);
}

void GuiTransferObserver::SetStatusText(const platform::UserMessage& text) {
    Post([this, text] {
        if (view_) {
            view_->SetStatusText(MessageText::Translate(text));
        }
    });
}

void GuiTransferObserver::SetProgressRange(uint32_t maxMegabytes) {
    Post([this, maxMegabytes] {
        if (view_) {
            // A stick of more than 2^31 megabytes is shown as full scale.
            view_->ProgressBar()->setRange(0, int(std::min<uint32_t>(maxMegabytes, INT32_MAX)));
        }
    });
}

void GuiTransferObserver::SetProgressPosition(uint32_t megabytes) {
    Post([this, megabytes] {
        if (view_) {
            view_->ProgressBar()->setValue(int(std::min<uint32_t>(megabytes, INT32_MAX)));
        }
    });
}

void GuiTransferObserver::SetFreeSpaceText(const platform::UserMessage& text) {
    Post([this, text] {
        if (view_) {
            view_->FreeSpaceLabel()->setText(MessageText::Translate(text));
        }
    });
}

void GuiTransferObserver::ShowMessageBox(const platform::UserMessage& text) {
    // The job waits until the box is closed, as it would for its own modal box, or until the
    // form abandons it.
    if (abandoned_) {
        return;
    }
    Post([this, text] {
        if (!abandoned_) {
            QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(),
                            MessageText::Translate(text), QMessageBox::Ok,
                            view_ ? view_->window() : nullptr);
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
