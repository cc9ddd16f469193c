// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/VolumeEjector_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
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
        if (busy) {
            --busyLocks;
            calls.push_back("lock");
            return false;
        }
        return Step("lock");
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
    const struct {
        DriveType type;
        Id id;
    } cases[] = {
        {DriveType::kFixed, Id::kNotEjectedFixed},
        {DriveType::kRemote, Id::kNotEjectedNoDisk},
        {DriveType::kOptical, Id::kNotEjectedNoDisk},
        {DriveType::kRamDisk, Id::kNotEjectedNoDisk},
        {DriveType::kNoRootDir, Id::kNotEjectedNotMounted},
        {DriveType::kUnknown, Id::kNotEjectedNotMounted},
    };
    for (const auto& c : cases) {
        FakeDevice device;
        device.type = c.type;
        const EjectResult result = Eject(device);
        EXPECT_EQ(result.outcome, Outcome::kFailed) << int(c.type);
        EXPECT_EQ(result.message.GetId(), c.id) << int(c.type);
        EXPECT_EQ(device.calls.size(), 1u) << int(c.type);  // the type only: nothing opened
    }
}

TEST(WindowsVolumeEjectorTest, OnlyADriveLetterIsEjected) {
    const struct {
        const char* stick;
        bool drive;
    } cases[] = {{"E:", true}, {"e:\\", true},          {"E:/", true}, {"E:\\Music", false},
                 {"", false},  {"/media/stick", false}, {"1:", false}, {"E", false}};
    for (const auto& c : cases) {
        FakeDevice device;
        const EjectResult result = Eject(device, c.stick);
        EXPECT_EQ(result.outcome == Outcome::kEjected, c.drive) << c.stick;
        if (!c.drive) {
            EXPECT_EQ(result.message.GetId(), Id::kNotEjectedNotMounted) << c.stick;
            EXPECT_TRUE(device.calls.empty()) << c.stick;
        }
    }
}

TEST(WindowsVolumeEjectorTest, AFailedStepStopsTheEjectWithItsMessage) {
    const struct {
        const char* failing;
        Outcome outcome;
        Id id;
        size_t calls;  // steps made, the failed one included
    } cases[] = {
        {"open E:", Outcome::kFailed, Id::kNotEjectedUnmountFailed, 2},
        {"lock", Outcome::kFailed, Id::kNotEjectedUnmountFailed, 3},
        {"dismount", Outcome::kFailed, Id::kNotEjectedUnmountFailed, 4},
        {"allow", Outcome::kUnmounted, Id::kUnmountedPowerFailed, 5},
        {"eject", Outcome::kUnmounted, Id::kUnmountedPowerFailed, 6},
    };
    for (const auto& c : cases) {
        FakeDevice device;
        device.failing = c.failing;
        const EjectResult result = Eject(device);
        EXPECT_EQ(result.outcome, c.outcome) << c.failing;
        EXPECT_EQ(result.message.GetId(), c.id) << c.failing;
        EXPECT_EQ(result.message.GetArgs(),
                  (std::vector<std::string>{"E:", "error of " + std::string(c.failing)}))
            << c.failing;
        EXPECT_EQ(device.calls.size(), c.calls) << c.failing;
    }
}

TEST(WindowsVolumeEjectorTest, ABusyVolumeIsTriedAgainForAWhile) {
    const int attempts = WindowsVolumeEjector::kLockAttempts;
    const struct {
        int busyLocks;
        Outcome outcome;
        int waits;
    } cases[] = {{3, Outcome::kEjected, 3},
                 {attempts - 1, Outcome::kEjected, attempts - 1},
                 {attempts, Outcome::kFailed, attempts - 1}};
    for (const auto& c : cases) {
        FakeDevice device;
        device.busyLocks = c.busyLocks;
        const EjectResult result = Eject(device);
        EXPECT_EQ(result.outcome, c.outcome) << c.busyLocks;
        if (c.outcome == Outcome::kFailed) {
            EXPECT_EQ(result.message.Text(),
                      "Not ejected: E: is busy (a program still uses files on it)");
        }
        EXPECT_EQ(std::count(device.calls.begin(), device.calls.end(), "wait"), c.waits)
            << c.busyLocks;
    }
}

}  // namespace
