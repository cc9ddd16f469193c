// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer job against `cp` followed by `sync`, copying the same generated music files to a
// RAM volume (tmpfs, needs the superuser) and to a folder on the local disc; and the job filling a
// fresh 1 GiB exFAT image (128 KiB clusters, exfat-fuse over a loop device, needs the superuser)
// to the brim, against `cp` + `sync` of the files it chose onto another fresh image. That row
// reports, as "used", the share of the free clusters at the start that the fill took.
//
// TUNECRATE_BENCH_FILES (default 500) sets the number of files, each 2 to 8 MB;
// TUNECRATE_BENCH_DIR (default the system's temporary folder) where they and the disc target lie;
// TUNECRATE_BENCH_KEEP keeps the generated files for the next run.
// Each row reports the job's time and, in its counters, that of cp + sync and their ratio.
#include <benchmark/benchmark.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "collection/CTunecrateDoc.h"
#include "storage/AppSettings.h"
#include "support/RealVolume.h"
#include "transfer/DriveInfo.h"
#include "transfer/SeededRandom.h"
#include "transfer/TransferJob.h"

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kMB = 1048576;

class SilentUi : public CollectionUi {
  public:
    void ShowMessage(const platform::UserMessage&) override {}
    void ShowError(const platform::UserMessage& text) override {
        throw std::runtime_error(text.Text());
    }
    Answer AskYesNoCancel(const platform::UserMessage&) override { return Answer::kNo; }
    ChangedAnswer AskChangedOnDisc(const std::string&) override { return ChangedAnswer::kCancel; }
    std::optional<std::string> ChooseFile(const FileDialog&) override { return std::nullopt; }
    void SetTitle(const std::string&) override {}
    void UpdateAllViews() override {}
};

class SilentObserver : public TransferObserver {
  public:
    void SetStatusText(const platform::UserMessage&) override {}
    void SetProgressRange(uint32_t) override {}
    void SetProgressPosition(uint32_t) override {}
    void SetFreeSpaceText(const platform::UserMessage&) override {}
    void ShowMessageBox(const platform::UserMessage&) override {}
    void Finished(const TransferResult&) override {}
};

// The generated music folder and everything the job needs around it.
struct Workbench {
    std::string base;
    std::string music;
    std::vector<std::string> files;
    uint64_t totalBytes = 0;
    std::unique_ptr<AppSettings> settings;
    SilentUi ui;
    std::unique_ptr<CTunecrateDoc> doc;

    Workbench() {
        const char* dir = std::getenv("TUNECRATE_BENCH_DIR");
        base =
            (fs::path(dir ? dir : fs::temp_directory_path().string()) / "tunecrate-bench").string();
        music = base + "/music";
        fs::create_directories(music);
        const char* count = std::getenv("TUNECRATE_BENCH_FILES");
        const int n = count ? std::atoi(count) : 500;
        std::mt19937 random(42);
        std::uniform_int_distribution<uint64_t> size(2 * kMB, 8 * kMB);
        std::vector<char> block(kMB);
        for (char& c : block) {
            c = static_cast<char>(random());
        }
        for (int i = 0; i < n; ++i) {
            const std::string path = music + "/track" + std::to_string(i) + ".mp3";
            const uint64_t bytes = size(random);
            if (!fs::exists(path) || fs::file_size(path) != bytes) {
                std::ofstream out(path, std::ios::binary | std::ios::trunc);
                for (uint64_t left = bytes; left > 0;) {
                    const uint64_t chunk = std::min<uint64_t>(left, block.size());
                    block[0] = static_cast<char>(i);  // no two files alike
                    out.write(block.data(), static_cast<std::streamsize>(chunk));
                    left -= chunk;
                }
            }
            files.push_back(path);
            totalBytes += bytes;
        }
        settings = std::make_unique<AppSettings>(base + "/Tunecrate.ini");
        settings->SetSaveOnDestroy(false);
        // Only mp3: a type listed twice would find every song twice.
        settings->RemoveAllExtensions();
        settings->AddExtension("mp3");
        doc = std::make_unique<CTunecrateDoc>(ui, settings.get());
        doc->OnNewDocument();
        fs::remove(base + "/bench.ini");  // a kept one would list the music folder twice
        doc->LoadCollection(base + "/bench.ini");
        doc->AddDirectory(music);
    }
};

std::unique_ptr<Workbench> theBench;

Workbench& Bench() {
    if (!theBench) {
        theBench = std::make_unique<Workbench>();
    }
    return *theBench;
}

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void ClearFolder(const std::string& dir) {
    for (const auto& entry : fs::directory_iterator(dir)) {
        fs::remove_all(entry.path());
    }
    sync();
}

// The job's time; with `fillUp` the run must end with a full stick, otherwise copy every file.
// `sources`, given, gets the music files the job put on the stick.
double RunJob(Workbench& bench, const std::string& stick, bool plainFolder, bool fillUp = false,
              std::vector<std::string>* sources = nullptr) {
    bench.doc->ClearAllFileFlags();
    DriveInfo info;
    FileOperations files;
    SeededRandom random(7);
    std::atomic<int> stop{0};
    SilentObserver observer;
    TransferJob::Options options;
    options.stickDrive = stick;
    options.allowPlainFolder = plainFolder;
    TransferJob job(*bench.doc, info, files, random, stop, observer, options);
    const auto start = std::chrono::steady_clock::now();
    const TransferResult result = job.Run();
    const double seconds = Seconds(start);
    if (fillUp ? result.ending != TransferResult::Ending::kStickFull || result.filesFailed > 0
               : result.filesCopied != static_cast<int>(bench.files.size())) {
        throw std::runtime_error(
            "the job copied " + std::to_string(result.filesCopied) + " files, " +
            std::to_string(result.filesFailed) + " failed, ending " +
            std::to_string(static_cast<int>(result.ending)) + ": " + result.error.Text());
    }
    for (const TransferResult::Copy& copy : result.copies) {
        if (sources) {
            sources->push_back(copy.source);
        }
    }
    return seconds;
}

double RunCpSync(const std::vector<std::string>& files, const std::string& stick) {
    std::string command = "cp -t '" + stick + "'";
    for (const std::string& file : files) {
        command += " '" + file + "'";
    }
    command += " && sync -f '" + stick + "'";
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("cp failed");
    }
    return Seconds(start);
}

// One iteration runs both, in alternating order; the row's time is the job's.
void Compare(benchmark::State& state, const std::string& stick, bool plainFolder) {
    Workbench& bench = Bench();
    // A first, untimed fill brings the sources into the page cache and the target's memory in.
    ClearFolder(stick);
    RunCpSync(bench.files, stick);
    double jobTotal = 0;
    double cpTotal = 0;
    bool jobFirst = true;
    for (auto _ : state) {
        double job = 0;
        double cp = 0;
        for (int pass = 0; pass < 2; ++pass) {
            ClearFolder(stick);
            if ((pass == 0) == jobFirst) {
                job = RunJob(bench, stick, plainFolder);
            } else {
                cp = RunCpSync(bench.files, stick);
            }
        }
        jobFirst = !jobFirst;
        state.SetIterationTime(job);
        jobTotal += job;
        cpTotal += cp;
    }
    ClearFolder(stick);
    const double iterations = static_cast<double>(state.iterations());
    state.counters["job_s"] = jobTotal / iterations;
    state.counters["cp_sync_s"] = cpTotal / iterations;
    state.counters["job/cp"] = jobTotal / cpTotal;
    state.counters["MB"] = static_cast<double>(bench.totalBytes / kMB);
    state.SetBytesProcessed(static_cast<int64_t>(bench.totalBytes) * state.iterations());
}

void BM_ToTmpfs(benchmark::State& state) {
    Workbench& bench = Bench();
    const std::string stick = bench.base + "/stick-ram";
    fs::create_directories(stick);
    const std::string size = "size=" + std::to_string(bench.totalBytes + 64 * kMB);
    if (geteuid() != 0 || mount("tmpfs", stick.c_str(), "tmpfs", 0, size.c_str()) != 0) {
        state.SkipWithError("cannot mount a tmpfs here (needs the superuser)");
        for (auto _ : state) {
        }
        return;
    }
    Compare(state, stick, false);
    umount2(stick.c_str(), MNT_DETACH);
}

void BM_ToDiscFolder(benchmark::State& state) {
    Workbench& bench = Bench();
    const std::string stick = bench.base + "/stick-disc";
    fs::create_directories(stick);
    Compare(state, stick, true);
}

uint64_t FreeBytes(const std::string& path) {
    struct statvfs st;
    return statvfs(path.c_str(), &st) == 0 ? uint64_t{st.f_bavail} * st.f_frsize : 0;
}

std::unique_ptr<RealVolume> FreshExfatImage() {
    return std::make_unique<RealVolume>(RealVolume::Kind::kExfat, uint64_t{1} << 30, "BENCH",
                                        128 * 1024);
}

// The job and cp + sync take turns at going first: whoever goes second meets the write-back of
// the first one's image.
void FillExfatImage(benchmark::State& state) {
    Workbench& bench = Bench();
    // An untimed fill: the share it used, the files the job chooses (the same in every run, with
    // the same seed), and the sources in the page cache.
    std::vector<std::string> chosen;
    double used = 0;
    {
        const auto stick = FreshExfatImage();
        if (!stick->IsMounted()) {
            state.SkipWithError(("cannot mount exFAT: " + stick->SkipReason()).c_str());
            for (auto _ : state) {
            }
            return;
        }
        const uint64_t freeBefore = FreeBytes(stick->Path());
        RunJob(bench, stick->Path(), false, true, &chosen);
        used = static_cast<double>(freeBefore - FreeBytes(stick->Path())) /
               static_cast<double>(freeBefore);
    }
    double jobTotal = 0;
    double cpTotal = 0;
    bool jobFirst = true;
    for (auto _ : state) {
        double job = 0;
        for (int pass = 0; pass < 2; ++pass) {
            const auto stick = FreshExfatImage();
            if ((pass == 0) == jobFirst) {
                job = RunJob(bench, stick->Path(), false, true);
            } else {
                cpTotal += RunCpSync(chosen, stick->Path());
            }
        }
        jobFirst = !jobFirst;
        state.SetIterationTime(job);
        jobTotal += job;
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["job_s"] = jobTotal / iterations;
    state.counters["cp_sync_s"] = cpTotal / iterations;
    state.counters["job/cp"] = jobTotal / cpTotal;
    state.counters["used%"] = 100 * used;
    state.counters["files"] = static_cast<double>(chosen.size());
}

// A failure is caught here, so that the images are unmounted and detached on the way out.
void BM_FillExfatImage(benchmark::State& state) {
    try {
        FillExfatImage(state);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

}  // namespace

BENCHMARK(BM_FillExfatImage)->Iterations(4)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToTmpfs)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToDiscFolder)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

// The generated files (gigabytes) go afterwards unless TUNECRATE_BENCH_KEEP is set.
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (theBench && !std::getenv("TUNECRATE_BENCH_KEEP")) {
        const std::string base = theBench->base;
        theBench.reset();
        std::error_code ec;
        fs::remove_all(base, ec);
    }
    return 0;
}
