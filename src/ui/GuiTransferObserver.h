// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QSemaphore>
#include <QString>
#include <QWidget>
#include <atomic>
#include <deque>
#include <functional>
#include <mutex>

#include "transfer/TransferObserver.h"

// Carries the transfer job's reports from its worker thread to the GUI thread, translated, as
// signals that the form connects to its controls: status line, progress bar, free-space text.
// The job never waits for the GUI, except for a message box, which it shows and waits for as a
// modal box would. The end of the job reaches the form through its TransferRunner.
class GuiTransferObserver : public QObject, public TransferObserver {
    Q_OBJECT

  public:
    // `window` is the parent of the job's message box.
    explicit GuiTransferObserver(QWidget* window);

    void SetStatusText(const platform::UserMessage& text) override;
    void SetProgressRange(uint32_t maxMegabytes) override;
    void SetProgressPosition(uint32_t megabytes) override;
    void SetFreeSpaceText(const platform::UserMessage& text) override;
    void ShowMessageBox(const platform::UserMessage& text) override;
    void Finished(const TransferResult& result) override;

    // The GUI no longer waits for the job: a message box the job wants is not shown, and one it
    // waits for lets it go on. Called before the GUI waits for the job's thread.
    void Abandon();

  signals:
    // Each on the GUI thread, in the order the job reported.
    void StatusTextChanged(const QString& text);
    void ProgressRangeChanged(int maximum);
    void ProgressPositionChanged(int position);
    void FreeSpaceTextChanged(const QString& text);
    // One more song is on the stick (just before its position).
    void SongCopied();

  private slots:
    // Carries out the reports waiting in the queue, on the GUI thread.
    void Deliver();

  private:
    template <typename F>
    void Post(F&& f);

    QPointer<QWidget> window_;
    std::atomic<bool> abandoned_{false};
    // On the job's thread: whether its last status named a song being copied.
    bool copying_ = false;
    QSemaphore boxClosed_;
    std::mutex mutex_;
    std::deque<std::function<void()>> reports_;  // posted by the job, not yet delivered
};
