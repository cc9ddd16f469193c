// SPDX-License-Identifier: GPL-3.0-or-later
// Memory of tunecrate-cli per file of a collection of 200,000 songs in 1,000 folders (no tag
// data): the peak resident size of a command over that collection, less that of the same
// command over an empty one, divided by the number of files. Each command is a program of its
// own, measured by the kernel (wait4's ru_maxrss).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int kFolders = 1000;
constexpr int kFilesPerFolder = 200;
constexpr double kFiles = double(kFolders) * kFilesPerFolder;

const fs::path kRoot = fs::temp_directory_path() / "tunecrate-bench-memory";

// Songs of one byte each (a fill then copies a few and stops), every other one transferred;
// made once and kept for later runs.
void MakeCollection() {
    if (fs::exists(kRoot / "full.ini")) {
        return;
    }
    fs::create_directories(kRoot);
    std::ofstream(kRoot / "settings.ini") << "[Extensions]\r\next=mp3\r\n";
    std::ofstream(kRoot / "empty.ini") << "[MusicFiles]\r\n";
    std::ofstream collection(kRoot / "building.ini");
    collection << "[MusicFiles]\r\n";
    for (int d = 0; d < kFolders; ++d) {
        const fs::path folder = kRoot / "music" / ("Artist " + std::to_string(d));
        fs::create_directories(folder);
        collection << "dir=" << folder.string() << "\r\n";
        for (int f = 0; f < kFilesPerFolder; ++f) {
            const std::string name = "Track " + std::to_string(f) + " - Some Song Title.mp3";
            std::ofstream(folder / name) << 'x';
            collection << (f % 2 ? "f1=" : "f0=") << name << "\r\n";
        }
    }
    collection.close();
    fs::rename(kRoot / "building.ini", kRoot / "full.ini");
}

// The peak resident size in bytes of tunecrate-cli run with `args`; its output is dropped.
double PeakBytes(std::vector<std::string> args) {
    args.insert(args.begin(),
                {TUNECRATE_CLI_PATH, "--settings", (kRoot / "settings.ini").string()});
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    rusage usage{};
    int status = 0;
    const bool ran = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0 &&
                     wait4(pid, &status, 0, &usage) == pid;
    posix_spawn_file_actions_destroy(&actions);
    return ran ? double(usage.ru_maxrss) * 1024 : 0;
}

// Runs the command over the full and the empty collection; `args` holds "COLLECTION" where the
// collection goes, which is copied first (a fill writes it).
void Measure(benchmark::State& state, std::vector<std::string> args) {
    MakeCollection();
    double perFile = 0;
    for (auto _ : state) {
        double peak[2] = {};
        for (const char* which : {"full.ini", "empty.ini"}) {
            fs::copy_file(kRoot / which, kRoot / "run.ini", fs::copy_options::overwrite_existing);
            fs::remove_all(kRoot / "stick");
            fs::create_directories(kRoot / "stick");
            std::vector<std::string> run = args;
            for (std::string& arg : run) {
                arg = arg == "COLLECTION" ? (kRoot / "run.ini").string()
                      : arg == "STICK"    ? (kRoot / "stick").string()
                                          : arg;
            }
            peak[which[0] == 'e'] = PeakBytes(run);
        }
        perFile = (peak[0] - peak[1]) / kFiles;
    }
    state.counters["B/file"] = perFile;
}

void BM_Status(benchmark::State& state) {
    Measure(state, {"status", "COLLECTION"});
}
void BM_List(benchmark::State& state) {
    Measure(state, {"list", "COLLECTION"});
}
void BM_ListJson(benchmark::State& state) {
    Measure(state, {"list", "COLLECTION", "--json"});
}
void BM_Fill(benchmark::State& state) {
    Measure(state, {"fill", "COLLECTION", "STICK", "--folder", "--limit", "64K"});
}

BENCHMARK(BM_Status)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_List)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListJson)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Fill)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
