// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TransferRunner.h"

#include <thread>

#include "UiTestSupport.h"
#include "collection/CTunecrateDoc.h"
#include "collection/RecordingUi.h"
#include "storage/AppSettings.h"
#include "support/FakeVolumes.h"
#include "transfer/SeededRandom.h"
#include "transfer/TransferJob.h"
#include "ui/GuiTransferObserver.h"

namespace {

// Volumes with no stick: a job ends at once, refused. While `held`, the job's question about the
// stick waits until the job is asked to stop (at most 10 s).
struct HeldVolumes : FakeVolumes {
    explicit HeldVolumes(const std::atomic<int>& stop) : stop_(stop) {}
    platform::DriveType GetDriveType(const std::string& root) const override {
        ++questions;
        for (int ms = 0; held && stop_ == 0 && ms < 10000; ++ms) {  // a lost stop fails, not hangs
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        stopSeen = stop_ != 0;
        return FakeVolumes::GetDriveType(root);
    }

    const std::atomic<int>& stop_;
    mutable std::atomic<int> questions{0};
    std::atomic<bool> held{false};
    mutable std::atomic<bool> stopSeen{false};
};

class TransferRunnerTest : public ::testing::Test {
  protected:
    TransferRunnerTest() {
        QObject::connect(runner_.get(), &TransferRunner::Finished, [this] { ++finished_; });
    }
    ~TransferRunnerTest() override {
        volumes_.held = false;
        runner_.reset();  // a job still running ends before what it uses goes
    }

    std::unique_ptr<TransferJob> Job() {
        TransferJob::Options options;
        options.stickDrive = dir_ / "stick";
        return std::make_unique<TransferJob>(doc_, drive_, files_, random_, runner_->StopFlag(),
                                             observer_, options);
    }

    TempDir dir_;
    AppSettings settings_{dir_ / "Tunecrate.ini"};
    RecordingUi ui_;
    CTunecrateDoc doc_{ui_, &settings_};
    std::unique_ptr<TransferRunner> runner_ = std::make_unique<TransferRunner>();
    HeldVolumes volumes_{runner_->StopFlag()};
    DriveInfo drive_{volumes_};
    FileOperations files_;
    SeededRandom random_;
    GuiTransferObserver observer_{nullptr};
    int finished_ = 0;  // how often Finished came
};

TEST_F(TransferRunnerTest, StartsNothingWithoutAJobOrWhileOneRuns) {
    EXPECT_FALSE(runner_->Start(nullptr));
    ASSERT_TRUE(runner_->Start(Job()));
    EXPECT_FALSE(runner_->Start(Job()));
    EXPECT_TRUE(QTest::qWaitFor([this] { return finished_ == 1; }, 10000));
    EXPECT_EQ(volumes_.questions, 1);
}

TEST_F(TransferRunnerTest, WaitGivesTheResultInsteadOfFinished) {
    EXPECT_FALSE(runner_->Wait());
    ASSERT_TRUE(runner_->Start(Job()));
    const std::optional<TransferResult> result = runner_->Wait();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->ending, TransferResult::Ending::kRefused);
    QCoreApplication::processEvents();
    EXPECT_EQ(finished_, 0);
}

// The job ended, stopped, before the runner was gone; no Finished reaches anyone.
TEST_F(TransferRunnerTest, DestroyingTheRunnerStopsTheJobAndWaitsForIt) {
    volumes_.held = true;
    ASSERT_TRUE(runner_->Start(Job()));
    runner_.reset();
    EXPECT_TRUE(volumes_.stopSeen);
    QCoreApplication::processEvents();
    EXPECT_EQ(finished_, 0);
}

}  // namespace
