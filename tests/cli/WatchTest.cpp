#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "cli/CliRunner.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

std::string Capture(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe)) {
            out += buffer;
        }
        pclose(pipe);
    }
    return out;
}

bool Shell(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// A 64 MiB exFAT stick with 128 KiB clusters and a label, on a loop device from the start,
// mounted with exfat-fuse when the test plugs it in.
class ExfatStick {
  public:
    explicit ExfatStick(const std::string& label) {
        if (geteuid() == 0 && Shell("truncate -s 64M " + image_ + " && mkfs.exfat -c 128K -L " +
                                    label + " " + image_)) {
            loop_ = Capture("losetup -f --show " + image_);
            loop_ = loop_.substr(0, loop_.find('\n'));
        }
        fs::create_directories(root_);
    }
    ~ExfatStick() {
        if (mounted_) {
            Shell("umount " + root_);
        }
        if (!loop_.empty()) {
            Shell("losetup -d " + loop_);
        }
    }
    bool Mount() {
        return mounted_ = !loop_.empty() && Shell("mount.exfat-fuse " + loop_ + " " + root_);
    }
    bool Attached() const { return !loop_.empty(); }
    std::string KernelName() const { return fs::path(loop_).filename().string(); }
    const std::string& Root() const { return root_; }

  private:
    TempDir dir_;
    std::string image_ = dir_ / "stick.img";
    std::string root_ = dir_ / "stick";
    std::string loop_;
    bool mounted_ = false;
};

// A private D-Bus daemon made the program's system or session bus through the environment,
// with a python-dbusmock service on it when `mockArgs` are given. The mock logs every call.
class MockBus {
  public:
    MockBus(bool system, const std::string& mockArgs)
        : variable_(system ? "DBUS_SYSTEM_BUS_ADDRESS" : "DBUS_SESSION_BUS_ADDRESS") {
        const std::string out =
            Capture("dbus-daemon --session --fork --print-address=1 --print-pid=1");
        const size_t newline = out.find('\n');
        if (newline == std::string::npos) {
            return;
        }
        daemon_ = std::atoi(out.c_str() + newline + 1);
        setenv(variable_, out.substr(0, newline).c_str(), 1);
        if (mockArgs.empty()) {
            return;
        }
        const std::string command = "exec /usr/bin/python3 -m dbusmock " +
                                    std::string(system ? "--system " : "--session ") + mockArgs +
                                    " -l " + log_ + " >/dev/null 2>&1";
        mock_ = fork();
        if (mock_ == 0) {
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        // Templates of the tests log "ready" when their objects stand.
        const std::string ready = mockArgs.find(".py") != std::string::npos ? "ready" : "";
        for (const auto start = Clock::now(); Clock::now() - start < std::chrono::seconds(10);) {
            if (fs::exists(log_) && Log().find(ready) != std::string::npos) {
                return;
            }
            usleep(20 * 1000);
        }
    }
    ~MockBus() {
        if (mock_ > 0) {
            kill(mock_, SIGTERM);
            waitpid(mock_, nullptr, 0);
        }
        if (daemon_ > 0) {
            kill(daemon_, SIGTERM);
        }
        unsetenv(variable_);
    }
    bool Running() const { return daemon_ > 0 && (mock_ < 0 || fs::exists(log_)); }
    std::string Log() const { return ReadFileBytes(log_); }

  private:
    const char* variable_;
    TempDir dir_;
    std::string log_ = dir_ / "calls.log";
    pid_t daemon_ = -1;
    pid_t mock_ = -1;
};

const std::string kUdisksStick = std::string(TUNECRATE_TEST_SOURCE_DIR) + "/cli/udisks2_stick.py";

class WatchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!stick.Attached() || !Shell("/usr/bin/python3 -c 'import dbusmock'")) {
            GTEST_SKIP() << "needs root, loop devices, exfatprogs and python3-dbusmock";
        }
        WriteFileBytes(settings, "[Extensions]\r\next=mp3\r\n");
        fs::create_directories(music);
        // Whole clusters: the stick takes 61 of these 1 MiB songs, then the next does not fit.
        for (int i = 0; i < 70; ++i) {
            WriteFileBytes(music + "/song" + std::to_string(i) + ".mp3", std::string(1 << 20, 'm'));
        }
        ASSERT_EQ(Run({"add", collection, music}).exitCode, 0);
    }
    CliResult Run(std::vector<std::string> args,
                  const std::function<void(int, const std::string&)>& whileRunning = {}) {
        args.insert(args.begin(), {"--settings", settings});
        return RunCli(args, whileRunning);
    }
    std::string UdisksArgs(const std::string& extra) const {
        return "-t " + kUdisksStick + " -p '{\"block\": \"" + stick.KernelName() + "\"" + extra +
               "}'";
    }

    ExfatStick stick{"MUSIC"};
    TempDir dir;
    const std::string settings = dir / "Tunecrate.ini";
    const std::string collection = dir / "music.ini";
    const std::string music = dir / "Music";
};

}  // namespace

TEST_F(WatchTest, FillsTheStickWithinTwoSecondsOfItsMountThenEjectsIt) {
    MockBus udisks(true, UdisksArgs(""));
    MockBus notifications(false, "-t notification_daemon");
    ASSERT_TRUE(udisks.Running() && notifications.Running());
    const Clock::time_point start = Clock::now();
    Clock::time_point mounted;
    Clock::time_point firstSong;
    const CliResult result =
        Run({"watch", collection, "--label", "music", "--once", "--eject", "--json"},
            [&](int, const std::string&) {
                if (mounted == Clock::time_point() &&
                    Clock::now() - start > std::chrono::milliseconds(300)) {
                    ASSERT_TRUE(stick.Mount());
                    mounted = Clock::now();
                }
                if (firstSong == Clock::time_point() && mounted != Clock::time_point() &&
                    !FilesIn(stick.Root()).empty()) {
                    firstSong = Clock::now();
                }
            });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const nlohmann::json summary = nlohmann::json::parse(result.out);
    EXPECT_EQ(summary["ending"], "stickFull");
    EXPECT_EQ(summary["filesCopied"], 61);
    EXPECT_EQ(FilesIn(stick.Root()).size(), 61u);
    ASSERT_NE(firstSong, Clock::time_point());
    EXPECT_LT(firstSong - mounted, std::chrono::seconds(2));

    const std::string calls = udisks.Log();
    ASSERT_NE(calls.find(" Unmount {}"), std::string::npos) << calls;
    EXPECT_LT(calls.find(" Unmount {}"), calls.find(" PowerOff {}")) << calls;
    EXPECT_NE(result.err.find("Ejected " + stick.Root()), std::string::npos) << result.err;
    EXPECT_NE(notifications.Log().find(stick.Root() + " filled"), std::string::npos);
}

// Each row ejects the stick after a fill that copies nothing; the last one, without UDisks2 on
// the bus, really unmounts it with umount, as root may.
TEST_F(WatchTest, EjectSaysWhyItCannotPowerTheStickOff) {
    ASSERT_TRUE(stick.Mount());
    struct Row {
        std::string mock;
        int exitCode;
        std::string message;
    };
    for (const Row& row :
         std::vector<Row>{{UdisksArgs(", \"busy\": true"), 1, "is busy"},
                          {UdisksArgs(", \"removable\": false"), 1, "is on a fixed disc"},
                          {"", 0, "with umount (UDisks2 is not available"}}) {
        SCOPED_TRACE(row.mock);
        MockBus udisks(true, row.mock);
        ASSERT_TRUE(udisks.Running());
        const CliResult result =
            Run({"fill", collection, stick.Root(), "--limit", "1K", "--eject"});
        EXPECT_EQ(result.exitCode, row.exitCode) << result.err;
        EXPECT_NE((result.out + result.err).find(row.message), std::string::npos)
            << result.out << result.err;
    }
    EXPECT_EQ(Capture("findmnt -n " + stick.Root()), "");
}
