#include "ui/GuiTransferObserver.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <algorithm>

#include "transfer/TransferJob.h"
#include "ui/CTunecrateView.h"

namespace {

// The job's fixed texts, listed here so that the translation tools find them.
[[maybe_unused]] const char* const kJobTexts[] = {
    QT_TRANSLATE_NOOP("TransferJob", "Deleting old music files"),
    QT_TRANSLATE_NOOP("TransferJob", "Finished copying"),
    QT_TRANSLATE_NOOP("TransferJob", "Index error!"),
    QT_TRANSLATE_NOOP("TransferJob", "No stick drive chosen"),
};

}  // namespace

GuiTransferObserver::GuiTransferObserver(CTunecrateView* view) : view_(view) {}

template <typename F>
void GuiTransferObserver::Post(F&& f) {
    // Queued to this object, which lives on the form's thread; the job does not wait.
    QMetaObject::invokeMethod(this, std::forward<F>(f), Qt::QueuedConnection);
}

QString GuiTransferObserver::Translate(const std::string& text) {
    const QString copying = QString::fromLatin1(TransferJob::kCopyingText);
    const QString whole = QString::fromStdString(text);
    if (whole.startsWith(copying)) {
        return QCoreApplication::translate("TransferJob", "Copying: %1")
            .arg(whole.mid(copying.size()));
    }
    const QString mbFree = QStringLiteral(" MB free");
    if (whole.endsWith(mbFree)) {
        return QCoreApplication::translate("TransferJob", "%1 MB free")
            .arg(whole.left(whole.size() - mbFree.size()));
    }
    return QCoreApplication::translate("TransferJob", text.c_str());
}

void GuiTransferObserver::SetStatusText(const std::string& text) {
    Post([this, text] {
        if (view_) {
            view_->SetStatusText(Translate(text));
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

void GuiTransferObserver::SetFreeSpaceText(const std::string& text) {
    Post([this, text] {
        if (view_) {
            view_->FreeSpaceLabel()->setText(Translate(text));
        }
    });
}

void GuiTransferObserver::ShowMessageBox(const std::string& text) {
    // The job waits until the box is closed, as it would for its own modal box, or until the
    // form abandons it.
    if (abandoned_) {
        return;
    }
    Post([this, text] {
        if (!abandoned_) {
            QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(),
                            Translate(text), QMessageBox::Ok, view_ ? view_->window() : nullptr);
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
