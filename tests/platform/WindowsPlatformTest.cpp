// SPDX-License-Identifier: GPL-3.0-or-later
// Behaviour of the Windows platform layer that only Windows shows: drive letters and roots,
// backslash paths, the read-only attribute, sharing modes, the module's own path.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h maps GetDriveType to GetDriveTypeA; the members of that name are our own.
#undef GetDriveType

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "collection/CTunecrateDoc.h"
#include "collection/LibraryDirectory.h"
#include "collection/LibraryEntry.h"
#include "platform/Text_win.h"
#include "platform/files/DurableFile.h"
#include "platform/files/Handle_win.h"
#include "platform/files/Utf8Path.h"
#include "platform/process/ExecutablePath.h"
#include "platform/volumes/VolumeQueries_win.h"
#include "storage/AppSettings.h"
#include "support/TempDir.h"
#include "transfer/FileOperations.h"

namespace fs = std::filesystem;

namespace {

// The drive holding the system, "C:" on a usual installation and under wine.
std::string SystemDrive() {
    wchar_t windows[MAX_PATH + 1] = {};
    GetSystemWindowsDirectoryW(windows, MAX_PATH + 1);
    return platform::Narrow(std::wstring(windows, 2));
}

// A drive letter with no drive behind it.
std::string UnusedDrive() {
    const DWORD used = GetLogicalDrives();
    for (int letter = 'Y'; letter > 'C'; --letter) {
        if (!(used & (1u << (letter - 'A')))) {
            return std::string(1, static_cast<char>(letter)) + ":";
        }
    }
    return std::string();
}

}  // namespace

TEST(WindowsVolumeQueriesTest, DrivesAreNamedByTheirRootsAndBareLettersNameTheRootToo) {
    const platform::VolumeQueries& volumes = platform::VolumeQueries::System();
    const std::string system = SystemDrive();
    const std::vector<std::string> roots = volumes.GetDriveRoots();
    for (const std::string& root : roots) {
        EXPECT_TRUE(std::regex_match(root, std::regex("[A-Z]:\\\\"))) << root;
    }
    EXPECT_NE(std::find(roots.begin(), roots.end(), system + "\\"), roots.end());

    for (const std::string& path : {system, system + "\\", system + "/"}) {
        EXPECT_EQ(volumes.GetDriveType(path), platform::DriveType::kFixed) << path;
    }
    platform::DiskSpace bare, rooted;
    ASSERT_TRUE(volumes.GetDiskSpace(system, bare));
    ASSERT_TRUE(volumes.GetDiskSpace(system + "\\", rooted));
    EXPECT_GT(bare.total, 0u);
    EXPECT_LE(bare.freeToCaller, bare.total);
    EXPECT_EQ(bare.total, rooted.total);
    std::string label = "unchanged";
    EXPECT_TRUE(volumes.GetVolumeLabel(system, label));
    EXPECT_LE(label.size(), 256u * 3);

    // A folder is not the root of a volume; a letter without a drive has no root at all.
    TempDir folder;
    const std::string unused = UnusedDrive();
    ASSERT_FALSE(unused.empty());
    for (const std::string& path : {folder.Path(), folder.Path() + "\\", unused, unused + "\\"}) {
        EXPECT_EQ(volumes.GetDriveType(path), platform::DriveType::kNoRootDir) << path;
    }
    EXPECT_FALSE(volumes.GetDiskSpace(unused, bare));
    EXPECT_FALSE(volumes.GetVolumeLabel(unused, label));
}

TEST(WindowsPathTest, BackslashPathsForDestinationsAndMusicFiles) {
    EXPECT_EQ(FileOperations::JoinPath("E:", "song.mp3"), "E:\\song.mp3");
    EXPECT_EQ(platform::PathFromUtf8("E:").native(), L"E:\\");
    EXPECT_EQ(platform::PathFromUtf8("E:\\Müsik").native(), L"E:\\M\u00fcsik");
    EXPECT_EQ(FileOperations::JoinPath("E:\\", "song.mp3"), "E:\\song.mp3");
    EXPECT_EQ(FileOperations::JoinPath("D:\\Music/", "a.mp3"), "D:\\Music/a.mp3");
    EXPECT_EQ(FileOperations::JoinPath("\\\\server\\share", "a.mp3"), "\\\\server\\share\\a.mp3");

    LibraryDirectory music("C:\\Music", 0), slashed("C:\\Music\\", 0), root("D:\\", 0),
        forward("C:/Music/", 0);
    EXPECT_EQ(LibraryEntry(&music, "a.mp3", 0).GetFullPath(), "C:\\Music\\a.mp3");
    EXPECT_EQ(LibraryEntry(&slashed, "a.mp3", 0).GetFullPath(), "C:\\Music\\a.mp3");
    EXPECT_EQ(LibraryEntry(&root, "a.mp3", 0).GetFullPath(), "D:\\a.mp3");
    EXPECT_EQ(LibraryEntry(&forward, "a.mp3", 0).GetFullPath(), "C:/Music/a.mp3");

    EXPECT_EQ(CTunecrateDoc::TitleFromPath("C:\\Sammlungen\\Rock.ini"), "Rock");
    EXPECT_EQ(CTunecrateDoc::TitleFromPath("C:/Sammlungen/Jazz.ini"), "Jazz");

    // A name from a collection file must not reach into a folder or a data stream on the stick.
    for (const char* name : {"sub\\a.mp3", "sub/a.mp3", "a:b.mp3", "..", ""}) {
        EXPECT_FALSE(FileOperations::IsPlainFileName(name)) << name;
    }
    EXPECT_TRUE(FileOperations::IsPlainFileName("Lied ä.mp3"));
}

TEST(WindowsFileTest, TheReadOnlyAttributeIsRespected) {
    TempDir dir;
    const std::string locked = dir / "locked.ini", song = dir / "song.mp3";
    WriteFileBytes(locked, "old");
    WriteFileBytes(song, "music");
    ASSERT_TRUE(SetFileAttributesW(platform::Widen(locked).c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesW(platform::Widen(song).c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_TRUE(platform::IsReadOnlyFile(locked));
    EXPECT_EQ(platform::ReplaceFileContents(locked, "new").message,
              platform::UserMessage(platform::UserMessage::Id::kFileReadOnly, {locked}));
    EXPECT_EQ(ReadFileBytes(locked), "old");
    ASSERT_TRUE(platform::ReplaceFileContents(dir / "other.ini", "fresh").Ok());
    EXPECT_FALSE(platform::IsReadOnlyFile(dir / "other.ini"));

    // A read-only music file gives a copy that a later wipe of the stick can delete.
    TempDir stick;
    ASSERT_EQ(FileOperations().CopyWithoutOverwrite(song, stick / "song.mp3").outcome,
              FileOperations::CopyOutcome::kCopied);
    EXPECT_FALSE(platform::IsReadOnlyFile(stick / "song.mp3"));
    EXPECT_EQ(FileOperations().DeleteTree(stick.Path()), 0);

    // Nothing but the two files and the replaced one: no temporary file stayed behind.
    EXPECT_EQ(FilesIn(dir.Path()), (std::set<std::string>{"locked.ini", "other.ini", "song.mp3"}));
    for (const std::string& name : {locked, song}) {
        SetFileAttributesW(platform::Widen(name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(WindowsFileTest, FilesHeldOpenByOthers) {
    TempDir dir;
    WriteFileBytes(dir / "playing.mp3", std::string(1234, 'p'));
    WriteFileBytes(dir / "written.mp3", std::string(99, 'w'));
    // A player reading the file lets others read it too; it is measured as usual.
    platform::Win32Handle player(CreateFileW(platform::Widen(dir / "playing.mp3").c_str(),
                                             GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                             0, nullptr));
    // A program writing the file without sharing it: it cannot be opened, and measures 0.
    platform::Win32Handle writer(CreateFileW(platform::Widen(dir / "written.mp3").c_str(),
                                             GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(player.IsValid());
    ASSERT_TRUE(writer.IsValid());
    const FileOperations ops;
    EXPECT_EQ(ops.GetSizeOfFile(dir.Path(), "playing.mp3"), 1234u);
    EXPECT_EQ(ops.GetSizeOfFile(dir.Path(), "written.mp3"), 0u);
    TempDir stick;
    EXPECT_EQ(ops.CopyWithoutOverwrite(dir / "written.mp3", stick / "written.mp3").outcome,
              FileOperations::CopyOutcome::kFileFailed);
    EXPECT_TRUE(FilesIn(stick.Path()).empty());
    EXPECT_EQ(ops.DeleteTree(dir.Path()), 2);  // neither open file can go
}

TEST(WindowsFileTest, VolumeIdentityAndFlushOfAFolder) {
    TempDir stick;
    uint64_t a = 0, b = 0;
    ASSERT_TRUE(FileOperations().GetDeviceOf(stick.Path(), a));
    ASSERT_TRUE(FileOperations().GetDeviceOf(stick / "..", b));
    EXPECT_EQ(a, b);
    EXPECT_FALSE(FileOperations().GetDeviceOf(stick / "gone", b));
    EXPECT_FALSE(FileOperations().GetDeviceOf(UnusedDrive(), b));

    EXPECT_TRUE(FileOperations().FlushVolume(stick.Path()).Ok());
    const platform::Status gone = FileOperations().FlushVolume(stick / "gone");
    EXPECT_FALSE(gone.Ok());
    EXPECT_NE(gone.message.Text().find("gone"), std::string::npos);
}

TEST(WindowsProgramPathTest, SettingsLieBesideAPortableModule) {
    const std::string exe = platform::ExecutablePath();
    const fs::path path = platform::PathFromUtf8(exe);
    EXPECT_TRUE(path.is_absolute()) << exe;
    EXPECT_EQ(path.filename(), "tunecrate_core_tests.exe");
    EXPECT_EQ(AppSettings::DefaultSettingsPath("D:\\Programme\\Tunecrate\\tunecrate.exe")
                  .find("D:\\Programme\\Tunecrate\\"),
              std::string::npos);  // no such folder: the per-user folder is taken instead
    EXPECT_FALSE(platform::UserConfigDirectory().empty());

    TempDir dir;
    EXPECT_TRUE(platform::IsDirectoryWritable(dir.Path()));
    EXPECT_TRUE(FilesIn(dir.Path()).empty());  // the probe file is gone again
    EXPECT_FALSE(platform::IsDirectoryWritable(dir / "missing"));
    // Settings beside the program only for a portable copy, which has its settings file there.
    EXPECT_NE(AppSettings::DefaultSettingsPath(dir / "tunecrate.exe"), dir / "Tunecrate.ini");
    WriteFileBytes(dir / "Tunecrate.ini", "");
    EXPECT_EQ(AppSettings::DefaultSettingsPath(dir / "tunecrate.exe"), dir / "Tunecrate.ini");
}
