// SPDX-License-Identifier: GPL-3.0-or-later
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "cli/CliFixture.h"
#include "support/RealVolume.h"

using Clock = std::chrono::steady_clock;

namespace {

std::string Capture(const std::string& command) {
    std::string out(4096, '\0');
    FILE* pipe = popen(command.c_str(), "r");
    out.resize(pipe ? fread(&out[0], 1, out.size(), pipe) : 0);
    if (pipe) {
        pclose(pipe);
    }
    return out.substr(0, out.find('\n'));
}

// A private D-Bus daemon made the program's system or session bus through the environment,
// with a python-dbusmock service on it that logs every call, unless `mockArgs` is empty.
class MockBus {
  public:
    MockBus(bool system, const std::string& mockArgs)
        : variable_(system ? "DBUS_SYSTEM_BUS_ADDRESS" : "DBUS_SESSION_BUS_ADDRESS") {
        const std::string bus = "dbus-daemon --session --fork --print-address=1 --print-pid=3 3>";
        setenv(variable_, Capture(bus + pidFile_).c_str(), 1);
        if (!mockArgs.empty() && (mock_ = fork()) == 0) {
            const std::string command = "exec /usr/bin/python3 -m dbusmock " +
                                        std::string(system ? "-s " : "") + mockArgs + " -l " +
                                        log_ + " >/dev/null 2>&1";
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        // The log appears once the mock has its name; the tests' own template logs "ready".
        const std::string ready = mockArgs.find(".py") != std::string::npos ? "ready" : "";
        for (const auto start = Clock::now(); mock_ > 0 && Clock::now() - start < kWait;) {
            if (std::filesystem::exists(log_) && Log().find(ready) != std::string::npos) {
                break;
            }
            usleep(20 * 1000);
        }
    }
    ~MockBus() {
        if (mock_ > 0) {
            kill(mock_, SIGTERM);
            waitpid(mock_, nullptr, 0);
        }
        Capture("kill $(cat " + pidFile_ + ") 2>&1");
        unsetenv(variable_);
    }
    std::string Log() const { return ReadFileBytes(log_); }

  private:
    static constexpr std::chrono::seconds kWait{10};
    const char* variable_;
    TempDir dir_;
    const std::string log_ = dir_ / "calls.log";
    const std::string pidFile_ = dir_ / "daemon.pid";
    pid_t mock_ = -1;
};

class WatchTest : public CliTest {
  protected:
    void SetUp() override {
        if (Capture("/usr/bin/python3 -c 'import dbusmock' 2>/dev/null && echo yes") != "yes") {
            GTEST_SKIP() << "needs python3-dbusmock";
        }
        // Whole clusters: the stick takes about 61 of these 1 MiB songs, not the next.
        MakeCollection(70, 1 << 20);
    }
    // The mock UDisks2, the stick on the given devices (none: every loop device), `extra` added.
    static std::string Udisks(const std::string& blocks, const std::string& extra = "") {
        return "-t " TUNECRATE_TEST_SOURCE_DIR "/cli/udisks2_stick.py -p '{\"blocks\": [" + blocks +
               "]" + extra + "}'";
    }
    // A stick as big sticks are: exFAT with 128 KiB clusters.
    static std::unique_ptr<RealVolume> MakeStick(const std::string& label) {
        return std::make_unique<RealVolume>(RealVolume::Kind::kExfat, 64 << 20, label, 128 << 10);
    }
    // The stick's loop device as the mock's "blocks" parameter names it.
    static std::string LoopOf(const RealVolume& stick) {
        return "\"" + Capture("findmnt -n -o SOURCE " + stick.Path()).substr(5) + "\"";
    }
};

}  // namespace

TEST_F(WatchTest, FillsTheStickWithinTwoSecondsOfItsMountThenEjectsIt) {
    // MUSIC and a number of this process: other tests on the machine mount sticks labelled MUSIC,
    // and a watch must not fill those. The watch is given the label in other letters.
    const std::string label = "MUSIC" + std::to_string(getpid() % 100000);
    const std::string lower = "music" + label.substr(5);
    // The loop device the stick will get is not known before: the mock has them all.
    MockBus udisks(true, Udisks(""));
    MockBus notifications(false, "-t notification_daemon");
    std::unique_ptr<RealVolume> stick;
    const Clock::time_point start = Clock::now();
    Clock::time_point mounted, firstSong;
    const CliResult result =
        Spawn({"watch", collection, "--label", lower, "--once", "--eject", "--json"},
              [&](int pid, const std::string&) {
                  if (!stick && Clock::now() - start > std::chrono::milliseconds(300)) {
                      stick = MakeStick(label);
                      mounted = Clock::now();
                      if (!stick->IsMounted()) {
                          kill(pid, SIGTERM);
                      }
                  } else if (stick && firstSong == Clock::time_point() &&
                             !FilesIn(stick->Path()).empty()) {
                      firstSong = Clock::now();
                  }
              });
    ASSERT_TRUE(stick) << "the watch ended before a stick came: " << result.err;
    SKIP_UNLESS_REAL_VOLUME(*stick);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const nlohmann::json summary = nlohmann::json::parse(result.out);
    EXPECT_EQ(summary["ending"], "stickFull");
    // 61 songs fill the clusters; room kept for directory entries may cost one or two.
    EXPECT_GE(summary["filesCopied"].get<int>(), 59);
    EXPECT_EQ(FilesIn(stick->Path()).size(), summary["filesCopied"].get<size_t>());
    ASSERT_NE(firstSong, Clock::time_point());
    EXPECT_LT(firstSong - mounted, std::chrono::seconds(2));

    const std::string calls = udisks.Log();
    ASSERT_NE(calls.find(" Unmount {}"), std::string::npos) << calls;
    EXPECT_LT(calls.find(" Unmount {}"), calls.find(" PowerOff {}")) << calls;
    EXPECT_NE(result.err.find("Ejected " + stick->Path()), std::string::npos) << result.err;
    EXPECT_NE(notifications.Log().find(stick->Path() + " filled"), std::string::npos);
}

// Each row ejects the stick after a fill that copies nothing.
TEST_F(WatchTest, EjectSaysWhyItCannotPowerTheStickOff) {
    const std::unique_ptr<RealVolume> stick = MakeStick("EJECT");
    SKIP_UNLESS_REAL_VOLUME(*stick);
    const std::string loop = LoopOf(*stick);
    const std::pair<std::string, const char*> rows[] = {
        {Udisks(loop, ", \"busy\": true"), "is busy"},
        {Udisks(loop, ", \"removable\": false"), "is on a fixed disc"}};
    for (const auto& [mock, message] : rows) {
        SCOPED_TRACE(mock);
        MockBus udisks(true, mock);
        const CliResult result =
            Spawn({"fill", collection, stick->Path(), "--limit", "1K", "--eject"});
        EXPECT_EQ(result.exitCode, 1) << result.err;
        EXPECT_NE((result.out + result.err).find(message), std::string::npos) << result.err;
    }
}

// Without UDisks2 a volume that is not a removable drive stays mounted: a loop volume, and a
// folder of the system disc bound elsewhere.
TEST_F(WatchTest, WithoutUdisks2NoFixedDiscIsUnmounted) {
    const std::unique_ptr<RealVolume> stick = MakeStick("LOOP");
    SKIP_UNLESS_REAL_VOLUME(*stick);
    const std::string bound = dir / "bound";
    std::filesystem::create_directories(dir / "system");
    std::filesystem::create_directories(bound);
    ASSERT_EQ(mount((dir / "system").c_str(), bound.c_str(), nullptr, MS_BIND, nullptr), 0);
    MockBus noUdisks(true, "");
    for (const std::string& target : {stick->Path(), bound}) {
        SCOPED_TRACE(target);
        ExpectFailed(Spawn({"fill", collection, target, "--limit", "1K", "--eject", "--folder"}),
                     "is not a removable drive");
        EXPECT_NE(Capture("findmnt -n " + target), "");
    }
    umount2(bound.c_str(), MNT_DETACH);
}

// The collection lies on the stick: the fill's lock file on it must not keep it busy.
TEST_F(WatchTest, ACollectionOnTheStickDoesNotKeepItFromBeingEjected) {
    const std::unique_ptr<RealVolume> stick = MakeStick("HOLDS");
    SKIP_UNLESS_REAL_VOLUME(*stick);
    const std::string onStick = stick->Path() + "/music.ini";
    std::filesystem::copy_file(collection, onStick);
    MockBus udisks(true, Udisks(LoopOf(*stick), ", \"umount\": true"));
    const CliResult result = Spawn({"fill", onStick, stick->Path(), "--limit", "1K", "--eject"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(Capture("findmnt -n " + stick->Path()), "");
}
