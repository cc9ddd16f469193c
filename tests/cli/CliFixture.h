// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliApp.h"
#include "cli/CliRunner.h"
#include "support/TempDir.h"
#include "transfer/FileOperations.h"

constexpr uint64_t kKiB = 1024;

// Settings that register mp3, a music folder, a collection path and an empty stick folder.
// Commands run in-process; only what needs a process (signals, kill, exit status) uses Spawn.
class CliTest : public ::testing::Test {
  protected:
    CliTest() {
        WriteFileBytes(settings, "[Extensions]\r\next=mp3\r\n");
        std::filesystem::create_directories(music);
        std::filesystem::create_directories(stick);
    }

    // Music files of the given names and sizes, each with its own bytes, made a collection.
    void MakeCollection(const std::map<std::string, uint64_t>& files) {
        for (const auto& [name, size] : files) {
            std::string data(size, static_cast<char>(songs.size()));
            for (size_t i = 0; i < data.size(); i += 4096) {
                data[i] = static_cast<char>(i / 4096 + name.size());
            }
            WriteFileBytes(music + "/" + name, songs[name] = data);
        }
        ASSERT_EQ(Run({"add", collection, music}).exitCode, 0);
    }
    // `count` songs <prefix>0.mp3... of `size(i)` bytes each, made a collection.
    void MakeSongs(int count, const std::string& prefix, const std::function<uint64_t(int)>& size) {
        std::map<std::string, uint64_t> files;
        for (int i = 0; i < count; ++i) {
            files[prefix + std::to_string(i) + ".mp3"] = size(i);
        }
        MakeCollection(files);
    }
    void MakeCollection(int count, uint64_t size = 100 * kKiB) {
        MakeSongs(count, "song", [size](int) { return size; });
    }

    // Runs the command in-process; `input` given, it is a terminal's answers to questions.
    CliResult Run(std::vector<std::string> args, const std::string& input = std::string()) {
        if (args.empty() || args[0] != "--settings") {
            args.insert(args.begin(), {"--settings", settings});
        }
        args.insert(args.begin(), "tunecrate-cli");
        std::vector<const char*> argv;
        for (const std::string& arg : args) {
            argv.push_back(arg.c_str());
        }
        std::istringstream in(input);
        std::ostringstream out, err;
        const int code = CliApp(in, out, err, !input.empty()).Run(argv.size(), argv.data());
        return {code, out.str(), err.str()};
    }

    // Runs the real program (not on Windows); see RunCli.
    CliResult Spawn(std::vector<std::string> args,
                    const std::function<void(int, const std::string&)>& whileRunning = {},
                    bool outputReaderGone = false) {
        args.insert(args.begin(), {"--settings", settings});
        return RunCli(args, whileRunning, outputReaderGone);
    }

    // A fill with a fixed seed that must succeed; its JSON summary.
    nlohmann::json Fill(const std::string& to, std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {"fill", collection, to, "--json", "--seed", "3"};
        args.insert(args.end(), extra.begin(), extra.end());
        const CliResult result = Run(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return nlohmann::json::parse(result.out.empty() ? "{}" : result.out);
    }

    // What a fill running on `stick` has made there so far: the names in its root, and the copies
    // in progress in its copy folder ("<copy folder>/<name>"), which may go at any moment.
    static std::set<std::string> FilesAndCopiesIn(const std::string& stick) {
        std::set<std::string> names = FilesIn(stick);
        const std::string copies = FileOperations::kCopyFolder;
        std::error_code error;
        if (names.erase(copies)) {
            for (std::filesystem::directory_iterator it(stick + "/" + copies, error), end;
                 !error && it != end; it.increment(error)) {
                names.insert(copies + "/" + it->path().filename().string());
            }
        }
        return names;
    }

    // A run that failed (exit status 1), saying `message` on the error stream.
    static void ExpectFailed(const CliResult& result, const std::string& message) {
        EXPECT_EQ(result.exitCode, 1) << result.err;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    }

    // A spawned fill stopped by a signal says so and saved flags for just what is on the stick.
    void ExpectStoppedAndSaved(const CliResult& result) {
        EXPECT_EQ(result.exitCode, 1) << result.err;
        const nlohmann::json summary = nlohmann::json::parse(result.out);
        EXPECT_EQ(summary["ending"], "stopped");
        EXPECT_EQ(summary["saved"], true);
        EXPECT_EQ(Transferred(), FilesIn(stick));
    }

    // The names of the files flagged as transferred in the collection file.
    std::set<std::string> Transferred() {
        const nlohmann::json list = nlohmann::json::parse(Run({"list", collection, "--json"}).out);
        std::set<std::string> names;
        for (const nlohmann::json& file : list["directories"][0]["files"]) {
            if (file["flag"] == 1) {
                names.insert(file["name"].get<std::string>());
            }
        }
        return names;
    }

    TempDir dir;
    const std::string settings = dir / "Tunecrate.ini";
    const std::string collection = dir / "music.ini";
    const std::string music = dir / "Music";
    const std::string stick = dir / "stick";
    std::map<std::string, std::string> songs;  // name and bytes of each song made
};
