// SPDX-License-Identifier: GPL-3.0-or-later
// Scanning, saving and loading large generated collections: directories × files per directory.
// The music directories are generated once below the temporary folder and kept for later runs.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "collection/MusicLibrary.h"
#include "storage/AppSettings.h"
#include "storage/IniFile.h"

namespace fs = std::filesystem;

namespace {

std::string TreeRoot(int dirs, int files) {
    return (fs::temp_directory_path() /
            ("tunecrate-bench-collection-" + std::to_string(dirs) + "x" + std::to_string(files)))
        .string();
}

std::string DirPath(const std::string& root, int d) {
    return root + "/Artist " + std::to_string(d);
}

// Creates the tree unless a finished one is there already.
const std::string& Tree(int dirs, int files) {
    static std::map<std::pair<int, int>, std::string> made;
    auto& root = made[{dirs, files}];
    if (!root.empty()) {
        return root;
    }
    root = TreeRoot(dirs, files);
    const std::string done = root + "/.complete";
    if (!fs::exists(done)) {
        fs::remove_all(root);
        for (int d = 0; d < dirs; ++d) {
            const std::string dir = DirPath(root, d);
            fs::create_directories(dir);
            for (int f = 0; f < files; ++f) {
                const std::string name =
                    dir + "/Track " + std::to_string(f) + " - Some Song Title.mp3";
                const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                if (fd >= 0) {
                    close(fd);
                }
            }
        }
        const int fd = open(done.c_str(), O_WRONLY | O_CREAT, 0644);
        if (fd >= 0) {
            close(fd);
        }
    }
    return root;
}

void WriteFile(const std::string& path, const std::string& text) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        const ssize_t written = write(fd, text.data(), text.size());
        (void)written;
        close(fd);
    }
}

// Settings with the one extension mp3, never written to disc.
struct Fixture {
    Fixture(int dirs, int files)
        : root(Tree(dirs, files)), settings(root + "/Tunecrate.ini"), library(&file, &settings) {
        settings.SetSaveOnDestroy(false);
        settings.RemoveAllExtensions();  // a fresh settings file lists mp3 among others
        settings.AddExtension("mp3");
        file.SetPath(root + "/collection.ini");
    }
    void AddAll(int dirs) {
        for (int d = 0; d < dirs; ++d) {
            library.AddDirectory(DirPath(root, d), 0);
        }
    }
    // Every other file transferred, so both file keys are written.
    void MarkEveryOtherFile() {
        const auto& entries = library.GetFiles();
        for (size_t i = 0; i < entries.size(); i += 2) {
            entries[i]->SetFlag(1);
        }
    }

    std::string root;
    AppSettings settings;
    IniFile file;
    MusicLibrary library;
};

void BM_ScanDirectories(benchmark::State& state) {
    const int dirs = static_cast<int>(state.range(0));
    const int files = static_cast<int>(state.range(1));
    Tree(dirs, files);  // generating the tree is not part of the measurement
    for (auto _ : state) {
        Fixture f(dirs, files);
        f.AddAll(dirs);
        benchmark::DoNotOptimize(f.library.GetFiles().size());
    }
    state.counters["files"] = static_cast<double>(dirs) * files;
}

void BM_SaveCollection(benchmark::State& state) {
    const int dirs = static_cast<int>(state.range(0));
    const int files = static_cast<int>(state.range(1));
    Fixture f(dirs, files);
    f.AddAll(dirs);
    f.MarkEveryOtherFile();
    for (auto _ : state) {
        if (const platform::Status saved = f.library.Save(); !saved.Ok()) {
            state.SkipWithError(saved.message.Text().c_str());
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(f.file.GetPath()));
}

void BM_LoadCollection(benchmark::State& state) {
    const int dirs = static_cast<int>(state.range(0));
    const int files = static_cast<int>(state.range(1));
    Fixture f(dirs, files);
    f.AddAll(dirs);
    f.MarkEveryOtherFile();
    if (const platform::Status saved = f.library.Save(); !saved.Ok()) {
        state.SkipWithError(saved.message.Text().c_str());
        return;
    }
    for (auto _ : state) {
        f.library.Load();
        benchmark::DoNotOptimize(f.library.GetFiles().size());
    }
    if (f.library.GetFiles().size() != static_cast<size_t>(dirs) * files) {
        state.SkipWithError("the loaded collection is incomplete");
    }
}

// `tunecrate-cli status` over a collection of the whole tree against `find` measuring the same
// files, one after the other in the same run: status lists every folder, matches and measures
// every file as find does, so it should take little more. Both include starting the program.
void RunQuietly(benchmark::State& state, const std::string& command) {
    if (std::system((command + " >/dev/null").c_str()) != 0) {
        state.SkipWithError(("failed: " + command).c_str());
    }
}

void BM_StatusCli(benchmark::State& state) {
    const int dirs = static_cast<int>(state.range(0));
    const int files = static_cast<int>(state.range(1));
    Fixture f(dirs, files);
    f.AddAll(dirs);
    f.MarkEveryOtherFile();
    // Files of their own: the other benchmarks' fixture reads Tunecrate.ini.
    f.file.SetPath(f.root + "/status.ini");
    if (const platform::Status saved = f.library.Save(); !saved.Ok()) {
        state.SkipWithError(saved.message.Text().c_str());
        return;
    }
    WriteFile(f.root + "/status-settings.ini", "[Extensions]\next=mp3\n");
    const std::string command = std::string("'") + TUNECRATE_CLI_PATH + "' --settings '" + f.root +
                                "/status-settings.ini' status '" + f.file.GetPath() + "'";
    for (auto _ : state) {
        RunQuietly(state, command);
    }
}

void BM_FindSizes(benchmark::State& state) {
    const std::string root =
        Tree(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::string command = "find '" + root + "' -maxdepth 2 -iname '*.mp3' -printf '%s\\n'";
    for (auto _ : state) {
        RunQuietly(state, command);
    }
}

void Sizes(benchmark::internal::Benchmark* b) {
    // 200,000 and 400,000 files show whether loading and saving stay linear. One huge
    // directory is where a search of the pending names per file line would hurt most.
    b->Args({1000, 200})
        ->Args({2000, 200})
        ->Args({10000, 100})
        ->Args({1, 200000})
        ->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ScanDirectories)->Apply(Sizes);
BENCHMARK(BM_SaveCollection)->Apply(Sizes);
BENCHMARK(BM_LoadCollection)->Apply(Sizes);
// Wall-clock time: the work happens in the child processes.
BENCHMARK(BM_StatusCli)
    ->Args({1000, 200})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(5);
BENCHMARK(BM_FindSizes)
    ->Args({1000, 200})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(5);

}  // namespace

BENCHMARK_MAIN();
