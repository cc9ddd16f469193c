// Scanning, saving and loading large generated collections: directories × files per directory.
// The music directories are generated once below the temporary folder and kept for later runs.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

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

// Settings with the one extension mp3, never written to disc.
struct Fixture {
    Fixture(int dirs, int files)
        : root(Tree(dirs, files)), settings(root + "/Tunecrate.ini"), library(&file, &settings) {
        settings.SetSaveOnDestroy(false);
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
        if (!f.library.Save()) {
            state.SkipWithError(f.library.GetSaveError().c_str());
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
    if (!f.library.Save()) {
        state.SkipWithError(f.library.GetSaveError().c_str());
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

void Sizes(benchmark::internal::Benchmark* b) {
    // One huge directory is where a search of the pending names per file line would hurt most.
    b->Args({1000, 200})->Args({10000, 100})->Args({1, 200000})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ScanDirectories)->Apply(Sizes);
BENCHMARK(BM_SaveCollection)->Apply(Sizes);
BENCHMARK(BM_LoadCollection)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
