// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing a 10 MB INI file, as a large collection file is.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "storage/IniFile.h"

namespace {

const std::string& BenchFile() {
    static const std::string path = [] {
        const std::string p =
            (std::filesystem::temp_directory_path() / "tunecrate-bench.ini").string();
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        size_t written = 0;
        int dir = 0;
        out << "[MusicFiles]\r\n";
        while (written < 10u * 1024 * 1024) {
            const std::string d = "dir=/home/anna/Music/Artist " + std::to_string(dir++) + "\r\n";
            out << d;
            written += d.size();
            for (int i = 0; i < 200; ++i) {
                const std::string f = "f" + std::to_string(i % 2) + "=Track " + std::to_string(i) +
                                      " - Some Song Title.mp3\r\n";
                out << f;
                written += f.size();
            }
        }
        return p;
    }();
    return path;
}

void BM_Read10MB(benchmark::State& state) {
    const std::string& path = BenchFile();
    for (auto _ : state) {
        IniFile file(path);
        file.Read();
        benchmark::DoNotOptimize(file.GetSectionCount());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_Read10MB)->Unit(benchmark::kMillisecond);

void BM_Write10MB(benchmark::State& state) {
    IniFile file(BenchFile());
    file.Read();
    file.SetPath(BenchFile() + ".out");
    for (auto _ : state) {
        if (const platform::Status written = file.Write(); !written.Ok()) {
            state.SkipWithError(written.message.Text().c_str());
        }
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(BenchFile())));
    std::remove((BenchFile() + ".out").c_str());
}
BENCHMARK(BM_Write10MB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
