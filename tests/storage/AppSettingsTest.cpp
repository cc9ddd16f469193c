// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/AppSettings.h"

#include <gmock/gmock.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "support/TempDir.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class SettingsFileTest : public ::testing::Test {
  protected:
    TempDir dir;
    const std::string path = dir / "Tunecrate.ini";
    const std::string empty =  // what a first run writes
        "[Global]\r\nStickDrive=\r\nMusicCollection=\r\nPerFolder=0\r\nFolderLimit=0\r\n"
        "MaxFolders=0\r\nNumberFiles=0\r\nPlaylist=0\r\nBalance=none\r\n[Extensions]\r\n";
};

TEST_F(SettingsFileTest, AnEmptyFileGetsTheEmptyValuesWhenTheSettingsGo) {
    WriteFileBytes(path, "");
    EXPECT_EQ(AppSettings(path).GetExtensionCount(), 0u);
    EXPECT_EQ(ReadFileBytes(path), empty);
}

// Keys ignore case, the first of a key counts; unusable values and extensions are passed over.
TEST_F(SettingsFileTest, LoadingFollowsTheLookupRules) {
    WriteFileBytes(path,
                   "; a comment\n[Global]\nother=1\nstickdrive=F:\nStickDrive=G:\nPerFolder=-5\n"
                   "Playlist=yes\nBalance=Folder\n"
                   "[Extensions]\next=MP3 \next=\next= \tx\next=*\next=.Wav\nExt=flac\n");
    {
        AppSettings settings(path);
        EXPECT_EQ(settings.GetStickDrive(), "F:");
        std::vector<std::string> extensions;
        settings.ResetExtensions();
        for (size_t i = 0; i < settings.GetExtensionCount(); ++i) {
            extensions.push_back(settings.NextExtension());
        }
        EXPECT_EQ(extensions, (std::vector<std::string>{"mp3", "wav", "flac"}));
        EXPECT_EQ(settings.NextExtension(), "");  // walking past the end is harmless
    }
    EXPECT_EQ(ReadFileBytes(path),
              "[Global]\r\nStickDrive=F:" + empty.substr(empty.find("\r\nMusic")) +
                  "ext=mp3\r\next=wav\r\next=flac\r\n");
}

TEST_F(SettingsFileTest, EveryValueIsReadAndTheFileRoundTrips) {
    const std::string text =
        "[Global]\r\nStickDrive=E:\r\nMusicCollection=C:\\Music\\Rock.ini\r\nPerFolder=31\r\n"
        "FolderLimit=255\r\nMaxFolders=700\r\nNumberFiles=1\r\nPlaylist=1\r\nBalance=folder\r\n["
        "Extensions]\r\next=mp3\r\next=wav\r\n";
    WriteFileBytes(path, text);
    {
        AppSettings settings(path);
        EXPECT_EQ(settings.GetMusicCollection(), "C:\\Music\\Rock.ini");
        EXPECT_EQ(settings.GetPerFolder(), 31u);
        EXPECT_EQ(settings.GetFolderLimit(), 255u);
        EXPECT_EQ(settings.GetMaxFolders(), 700u);
        EXPECT_TRUE(settings.GetNumberFiles() && settings.GetPlaylist() &&
                    settings.GetBalanceFolders());
    }
    EXPECT_EQ(ReadFileBytes(path), text);
}

TEST(AppSettingsTest, OneCheckForEveryExtension) {
    using Problem = AppSettings::ExtensionCheck::Problem;
    const std::tuple<const char*, Problem, const char*> rows[] = {
        {"MP3", Problem::kNone, "mp3"},
        {".Flac", Problem::kNone, "flac"},
        {"..ini", Problem::kNone, "ini"},  // what is kept checks out the same when read back
        {"abcdefghijklmnop", Problem::kNone, "abcdefghijklmnop"},
        {"äöüäöüäöüäöüäöüä", Problem::kNone, "äöüäöüäöüäöüäöüä"},  // characters, not bytes
        {"abcdefghijklmnopq", Problem::kTooLong, ""},
        {"", Problem::kEmpty, ""},
        {".", Problem::kEmpty, ""},
        {" \t ", Problem::kEmpty, ""},
        {"mp 3", Problem::kBlank, ""},
        {"mp\x01", Problem::kBlank, ""},
        {"mp?", Problem::kWildcard, ""},
        {"a/b", Problem::kSeparator, ""},
        {"a\\b", Problem::kSeparator, ""},
    };
    for (const auto& [typed, problem, extension] : rows) {
        SCOPED_TRACE(std::string("typed: '") + typed + "'");
        const AppSettings::ExtensionCheck check = AppSettings::CheckExtension(typed);
        EXPECT_EQ(check.problem, problem);
        EXPECT_EQ(check.extension, extension);
        EXPECT_EQ(AppSettings::ExtensionProblemText(check.problem).empty(), check.ok());
    }
}

// Whatever lies at the settings path is read without blocking and within a size limit, and only
// a settings file (or nothing) is replaced by a save.
TEST(AppSettingsTest, OnlyASettingsFileIsReadAndReplaced) {
    TempDir dir;
    // Name, content (written unless empty), unreadable, what the save's (and load's) error names.
    std::vector<std::tuple<std::string, std::string, bool, std::string>> cases = {
        {"collection.ini", "[MusicFiles]\r\ndir=/m\r\n", false,
         "it holds the section [MusicFiles]"},
        {"binary.ini", std::string("[Global]\r\n\0", 11), false, "it is not a text file"},
        {"huge.ini", "", true, "larger than 256 MiB"},
        {"folder", "", true, ""},
    };
    fs::create_directory(dir / "folder");
    WriteFileBytes(dir / "huge.ini", "");
    fs::resize_file(dir / "huge.ini", (uint64_t{256} << 20) + 1);
#ifndef _WIN32
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    cases.emplace_back("fifo", "", true, "not a regular file");
    cases.emplace_back("/dev/zero", "", true, "not a regular file");
#endif
    for (const auto& [name, content, unreadable, why] : cases) {
        const std::string path = name[0] == '/' ? name : dir / name;
        SCOPED_TRACE(path);
        if (!content.empty()) {
            WriteFileBytes(path, content);
        }
        AppSettings settings(path);
        settings.SetSaveOnDestroy(false);
        const std::string loadError = settings.GetLoadResult().message.Text();
        EXPECT_EQ(settings.GetLoadResult().Ok(), !unreadable) << loadError;
        EXPECT_THAT(loadError, HasSubstr(unreadable ? why : ""));
        const platform::Status saved = settings.Save();
        EXPECT_FALSE(saved.Ok());
        EXPECT_THAT(saved.message.Text(), HasSubstr(why));
        if (!content.empty()) {
            EXPECT_EQ(ReadFileBytes(path), content);
        }
    }
}

// A relative path is fixed at start and its folders are made on saving. The default path lies
// beside the executable for a portable copy, else in the user's configuration folder.
TEST(AppSettingsTest, WhereTheSettingsFileLies) {
    TempDir dir;
    const fs::path before = fs::current_path();
    fs::current_path(dir.Path());
    AppSettings settings("sub/dir/Tunecrate.ini");
    fs::current_path(before);
    EXPECT_EQ(fs::path(settings.GetSettingsPath()),
              fs::path(dir / "sub/dir/Tunecrate.ini").lexically_normal());
    EXPECT_TRUE(settings.Save().Ok());
    EXPECT_TRUE(fs::exists(dir / "sub/dir/Tunecrate.ini"));
#ifndef _WIN32  // Windows: WindowsProgramPathTest
    EXPECT_TRUE(fs::path(AppSettings::DefaultSettingsPath()).is_absolute());
    // Installed: however writable its folder, the program keeps its settings in the user's
    // configuration folder. A portable copy has its settings file beside it already.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = xdg ? xdg : "";
    setenv("XDG_CONFIG_HOME", "/tmp/xdg-config", 1);
    EXPECT_EQ(AppSettings::DefaultSettingsPath(dir / "tunecrate"),
              "/tmp/xdg-config/Tunecrate/Tunecrate.ini");
    WriteFileBytes(dir / "Tunecrate.ini", "");
    EXPECT_EQ(AppSettings::DefaultSettingsPath(dir / "tunecrate"), dir / "Tunecrate.ini");
    unsetenv("XDG_CONFIG_HOME");
    if (const char* home = std::getenv("HOME")) {
        EXPECT_EQ(AppSettings::DefaultSettingsPath("/usr/bin/tunecrate"),
                  std::string(home) + "/.config/Tunecrate/Tunecrate.ini");
    }
    if (xdg) {
        setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    }
#endif
}
