#pragma once

#include <QObject>
#include <QPointer>
#include <QSemaphore>
#include <atomic>

#include "transfer/TransferObserver.h"

class CTunecrateView;

// Carries the transfer job's reports from its worker thread to the main form's thread: status
// line, progress bar, free-space text, the end of the job. The job never waits for the form,
// except for a message box, which it shows and waits for as a modal box would. The end of the
// job reaches the form through its TransferRunner.
class GuiTransferObserver : public QObject, public TransferObserver {
    Q_OBJECT

  public:
    explicit GuiTransferObserver(CTunecrateView* view);

    void SetStatusText(const platform::UserMessage& text) override;
    void SetProgressRange(uint32_t maxMegabytes) override;
    void SetProgressPosition(uint32_t megabytes) override;
    void SetFreeSpaceText(const platform::UserMessage& text) override;
    void ShowMessageBox(const platform::UserMessage& text) override;
    void Finished(const TransferResult& result) override;

    // The form no longer waits for the job: a message box the job wants is not shown, and one it
    // waits for lets it go on. Called before the form waits for the job's thread.
    void Abandon();

  private:
    template <typename F>
    void Post(F&& f);

    QPointer<CTunecrateView> view_;
    std::atomic<bool> abandoned_{false};
    QSemaphore boxClosed_;
};
