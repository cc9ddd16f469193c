// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/VolumeEjector_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace {

using platform::DriveType;
using platform::EjectResult;
using platform::WindowsVolumeEjector;
using Id = platform::UserMessage::Id;
using Outcome = EjectResult::Outcome;

// A volume whose device calls answer as told and are recorded in order.
struct FakeDevice : platform::EjectDevice {
    DriveType type = DriveType::kRemovable;
    std::string failing;  // the step that fails ("open", "lock", ...), none when empty
    int busyLocks = 0;    // locks refused as busy before one succeeds
    bool busy = false;
    std::vector<std::string> calls;

    bool Step(const std::string& name) {
        calls.push_back(name);
        return name != failing;
    }
    DriveType Type(const std::string& root) override {
        calls.push_back("type " + root);
        return type;
    }
    bool Open(const std::string& drive) override { return Step("open " + drive); }
    bool Lock() override {
        busy = busyLocks > 0;
        busyLocks -= busy ? 1 : 0;
        return Step("lock") && !busy;
    }
    bool IsBusy() override { return busy; }
    void WaitBeforeRetry() override { calls.push_back("wait"); }
    bool Dismount() override { return Step("dismount"); }
    bool AllowRemoval() override { return Step("allow"); }
    bool EjectMedia() override { return Step("eject"); }
    std::string ErrorText() override { return "error of " + failing; }
};

EjectResult Eject(FakeDevice& device, const std::string& stick = "E:") {
    return WindowsVolumeEjector::Eject(stick, device);
}

TEST(WindowsVolumeEjectorTest, LocksDismountsAndEjectsARemovableDriveInThatOrder) {
    FakeDevice device;
    const EjectResult result = Eject(device);
    EXPECT_EQ(result.outcome, Outcome::kEjected);
    EXPECT_EQ(result.message.Text(), "Ejected E:: the stick can be pulled out");
    EXPECT_EQ(device.calls, (std::vector<std::string>{"type E:\\", "open E:", "lock", "dismount",
                                                      "allow", "eject"}));
}

TEST(WindowsVolumeEjectorTest, OnlyARemovableDriveIsTouched) {
    const std::pair<DriveType, Id> cases[] = {
        {DriveType::kFixed, Id::kNotEjectedFixed},
        {DriveType::kRemote, Id::kNotEjectedNoDisk},
        {DriveType::kOptical, Id::kNotEjectedNoDisk},
        {DriveType::kRamDisk, Id::kNotEjectedNoDisk},
        {DriveType::kNoRootDir, Id::kNotEjectedNotMounted},
        {DriveType::kUnknown, Id::kNotEjectedNotMounted},
    };
    for (const auto& [type, id] : cases) {
        SCOPED_TRACE(int(type));
        FakeDevice device;
        device.type = type;
        const EjectResult result = Eject(device);
        EXPECT_EQ(result.outcome, Outcome::kFailed);
        EXPECT_EQ(result.message.GetId(), id);
        EXPECT_EQ(device.calls.size(), 1u);  // the type only: nothing opened
    }
}

TEST(WindowsVolumeEjectorTest, OnlyADriveLetterIsEjected) {
    const std::pair<const char*, bool> cases[] = {
        {"E:", true}, {"e:\\", true},          {"E:/", true}, {"E:\\Music", false},
        {"", false},  {"/media/stick", false}, {"1:", false}, {"E", false}};
    for (const auto& [stick, drive] : cases) {
        SCOPED_TRACE(stick);
        FakeDevice device;
        const EjectResult result = Eject(device, stick);
        EXPECT_EQ(result.outcome == Outcome::kEjected, drive);
        if (!drive) {
            EXPECT_EQ(result.message.GetId(), Id::kNotEjectedNotMounted);
            EXPECT_TRUE(device.calls.empty());
        }
    }
}

TEST(WindowsVolumeEjectorTest, AFailedStepStopsTheEjectWithItsMessage) {
    // The failing step, the outcome, the message and the steps made, the failed one included.
    const std::tuple<const char*, Outcome, Id, size_t> cases[] = {
        {"open E:", Outcome::kFailed, Id::kNotEjectedUnmountFailed, 2},
        {"lock", Outcome::kFailed, Id::kNotEjectedUnmountFailed, 3},
        {"dismount", Outcome::kFailed, Id::kNotEjectedUnmountFailed, 4},
        {"allow", Outcome::kUnmounted, Id::kUnmountedPowerFailed, 5},
        {"eject", Outcome::kUnmounted, Id::kUnmountedPowerFailed, 6},
    };
    for (const auto& [failing, outcome, id, calls] : cases) {
        SCOPED_TRACE(failing);
        FakeDevice device;
        device.failing = failing;
        const EjectResult result = Eject(device);
        EXPECT_EQ(result.outcome, outcome);
        EXPECT_EQ(result.message.GetId(), id);
        EXPECT_EQ(result.message.GetArgs(),
                  (std::vector<std::string>{"E:", "error of " + std::string(failing)}));
        EXPECT_EQ(device.calls.size(), calls);
    }
}

TEST(WindowsVolumeEjectorTest, ABusyVolumeIsTriedAgainForAWhile) {
    const int attempts = WindowsVolumeEjector::kLockAttempts;
    const std::tuple<int, Outcome, int> cases[] = {{3, Outcome::kEjected, 3},
                                                   {attempts - 1, Outcome::kEjected, attempts - 1},
                                                   {attempts, Outcome::kFailed, attempts - 1}};
    for (const auto& [busyLocks, outcome, waits] : cases) {
        SCOPED_TRACE(busyLocks);
        FakeDevice device;
        device.busyLocks = busyLocks;
        const EjectResult result = Eject(device);
        EXPECT_EQ(result.outcome, outcome);
        if (outcome == Outcome::kFailed) {
            EXPECT_EQ(result.message.Text(),
                      "Not ejected: E: is busy (a program still uses files on it)");
        }
        EXPECT_EQ(std::count(device.calls.begin(), device.calls.end(), "wait"), waits);
    }
}

}  // namespace
