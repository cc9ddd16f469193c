#include "transfer/FileOperations.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"
#include "support/TmpfsMount.h"

namespace fs = std::filesystem;

namespace {

// A mount made inside a test folder, undone at the end of the test.
class MountGuard {
  public:
    MountGuard(const std::string& source, const std::string& target, const char* type,
               unsigned long flags)
        : target_(target) {
        mounted_ =
            geteuid() == 0 && mount(source.c_str(), target.c_str(), type, flags, nullptr) == 0;
    }
    ~MountGuard() {
        if (mounted_) {
            umount2(target_.c_str(), MNT_DETACH);
        }
    }
    bool IsMounted() const { return mounted_; }

  private:
    std::string target_;
    bool mounted_ = false;
};

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

}  // namespace

TEST(FileOperationsTest, DeletesAThreeLevelTreeButKeepsTheRoot) {
    TempDir stick;
    fs::create_directories(stick / "a/b/c");
    for (const char* file : {"top.mp3", ".hidden", "a/one.mp3", "a/b/two.txt", "a/b/c/three"}) {
        WriteFileBytes(stick / file, "data");
    }
    fs::create_directory(stick / "empty");
    EXPECT_EQ(FileOperations().DeleteTree(stick.Path()), 0);
    EXPECT_TRUE(fs::is_directory(stick.Path()));
    EXPECT_TRUE(fs::is_empty(stick.Path()));
}

TEST(FileOperationsTest, AReadOnlyFileStaysWithItsFolder) {
    TempDir stick;
    fs::create_directories(stick / "sub");
    WriteFileBytes(stick / "sub/locked.mp3", "x");
    WriteFileBytes(stick / "sub/free.mp3", "x");
    WriteFileBytes(stick / "other.mp3", "x");
    chmod((stick / "sub/locked.mp3").c_str(), 0444);
    EXPECT_EQ(FileOperations().DeleteTree(stick.Path()), 2);
    EXPECT_TRUE(Exists(stick / "sub/locked.mp3"));
    EXPECT_FALSE(Exists(stick / "sub/free.mp3"));
    EXPECT_FALSE(Exists(stick / "other.mp3"));
}

TEST(FileOperationsTest, EmptyOrMissingDirectoriesDeleteNothing) {
    TempDir dir;
    fs::create_directory(dir / "empty");
    WriteFileBytes(dir / "sibling.mp3", "x");
    const FileOperations ops;
    EXPECT_EQ(ops.DeleteTree(dir / "empty"), 0);
    EXPECT_EQ(ops.DeleteTree(dir / "missing"), 0);
    EXPECT_EQ(ops.DeleteTree(dir / "sibling.mp3"), 0);
    EXPECT_EQ(ops.DeleteTree(""), 0);
    EXPECT_TRUE(Exists(dir / "sibling.mp3"));
    EXPECT_TRUE(Exists(dir / "empty"));
}

TEST(FileOperationsTest, SymbolicLinksAreRemovedNeverFollowed) {
    TempDir outside;
    fs::create_directory(outside / "music");
    WriteFileBytes(outside / "music/keep.mp3", "precious");
    WriteFileBytes(outside / "keep.txt", "precious");
    TempDir stick;
    fs::create_directory(stick / "sub");
    fs::create_directory_symlink(outside / "music", stick / "music-link");
    fs::create_directory_symlink(outside / "music", stick / "sub/deeper-link");
    fs::create_symlink(outside / "keep.txt", stick / "file-link");
    fs::create_symlink(outside / "missing", stick / "dangling");

    EXPECT_EQ(FileOperations().DeleteTree(stick.Path()), 0);
    EXPECT_TRUE(fs::is_empty(stick.Path()));
    EXPECT_EQ(ReadFileBytes(outside / "music/keep.mp3"), "precious");
    EXPECT_EQ(ReadFileBytes(outside / "keep.txt"), "precious");
}

TEST(FileOperationsTest, MountsBelowTheStickAreLeftAlone) {
    TempDir outside;  // on the same file system as the stick folder
    WriteFileBytes(outside / "keep.mp3", "precious");
    TempDir stick;
    fs::create_directories(stick / "nested");
    fs::create_directories(stick / "deep/bound");
    WriteFileBytes(stick / "gone.mp3", "x");
    MountGuard nested("tmpfs", stick / "nested", "tmpfs", 0);
    if (!nested.IsMounted()) {
        GTEST_SKIP() << "cannot mount here (needs the superuser)";
    }
    WriteFileBytes(stick / "nested/inside.mp3", "kept");
    MountGuard bound(outside.Path(), stick / "deep/bound", nullptr, MS_BIND);
    ASSERT_TRUE(bound.IsMounted());

    // Each mount point counts as one entry that could not be deleted.
    EXPECT_EQ(FileOperations().DeleteTree(stick.Path()), 3);
    EXPECT_EQ(ReadFileBytes(stick / "nested/inside.mp3"), "kept");
    EXPECT_EQ(ReadFileBytes(outside / "keep.mp3"), "precious");
    EXPECT_FALSE(Exists(stick / "gone.mp3"));
}

TEST(FileOperationsTest, MeasuresFilesExactlyAndEverythingElseAsZero) {
    TempDir dir;
    const uint64_t big = (uint64_t{5} << 30) + 17;  // beyond 32 bits, sparse on disc
    {
        std::error_code ec;
        WriteFileBytes(dir / "big.flac", "");
        fs::resize_file(dir / "big.flac", big, ec);
        ASSERT_FALSE(ec) << ec.message();
    }
    WriteFileBytes(dir / "empty.mp3", "");
    WriteFileBytes(dir / "three.mp3", "abc");
    fs::create_directory(dir / "folder.mp3");
    ASSERT_EQ(mkfifo((dir / "pipe.mp3").c_str(), 0644), 0);

    const FileOperations ops;
    EXPECT_EQ(ops.GetSizeOfFile(dir.Path(), "big.flac"), big);
    EXPECT_EQ(ops.GetSizeOfFile(dir.Path() + "/", "three.mp3"), 3u);
    EXPECT_EQ(ops.GetSizeOfFile(dir.Path(), "empty.mp3"), 0u);
    EXPECT_EQ(ops.GetSizeOfFile(dir.Path(), "missing.mp3"), 0u);
    EXPECT_EQ(ops.GetSizeOfFile(dir.Path(), "folder.mp3"), 0u);
    EXPECT_EQ(ops.GetSizeOfFile(dir.Path(), "pipe.mp3"), 0u);  // must not block
}

TEST(FileOperationsTest, CopiesNewFilesAndNeverOverwrites) {
    TempDir music;
    TempDir stick;
    const std::string data(3 * 1024 * 1024 + 5, 'm');
    WriteFileBytes(music / "song.mp3", data);
    const fs::file_time_type when =
        fs::last_write_time(music / "song.mp3") - std::chrono::hours(24);
    fs::last_write_time(music / "song.mp3", when);
    WriteFileBytes(stick / "taken.mp3", "old");
    const FileOperations ops;

    FileOperations::CopyResult result =
        ops.CopyWithoutOverwrite(music / "song.mp3", stick / "song.mp3");
    EXPECT_EQ(result.outcome, FileOperations::CopyResult::kCopied) << result.error;
    EXPECT_EQ(ReadFileBytes(stick / "song.mp3"), data);
    EXPECT_EQ(fs::last_write_time(stick / "song.mp3"), when);

    result = ops.CopyWithoutOverwrite(music / "song.mp3", stick / "taken.mp3");
    EXPECT_EQ(result.outcome, FileOperations::CopyResult::kFileFailed);
    EXPECT_NE(result.error.find("taken.mp3"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(stick / "taken.mp3"), "old");

    result = ops.CopyWithoutOverwrite(music / "gone.mp3", stick / "gone.mp3");
    EXPECT_EQ(result.outcome, FileOperations::CopyResult::kFileFailed);
    EXPECT_FALSE(Exists(stick / "gone.mp3"));

    result = ops.CopyWithoutOverwrite(music / "song.mp3", stick / std::string(300, 'n'));
    EXPECT_EQ(result.outcome, FileOperations::CopyResult::kFileFailed);

    result = ops.CopyWithoutOverwrite(music / "song.mp3", stick / "pulled-out/song.mp3");
    EXPECT_EQ(result.outcome, FileOperations::CopyResult::kStickFailed);
}

TEST(FileOperationsTest, AFullOrReadOnlyStickFailsAsAStickAndLeavesNoPart) {
    TmpfsMount full(64 * 1024);
    SKIP_UNLESS_MOUNTED(full);
    TmpfsMount readOnly(64 * 1024, "ro");
    ASSERT_TRUE(readOnly.IsMounted());
    TempDir music;
    WriteFileBytes(music / "long.flac", std::string(200 * 1024, 'f'));
    const FileOperations ops;

    FileOperations::CopyResult result =
        ops.CopyWithoutOverwrite(music / "long.flac", full.Path() + "/long.flac");
    EXPECT_EQ(result.outcome, FileOperations::CopyResult::kStickFailed);
    EXPECT_NE(result.error.find("No space left"), std::string::npos) << result.error;
    EXPECT_FALSE(Exists(full.Path() + "/long.flac"));

    result = ops.CopyWithoutOverwrite(music / "long.flac", readOnly.Path() + "/long.flac");
    EXPECT_EQ(result.outcome, FileOperations::CopyResult::kStickFailed);
    EXPECT_NE(result.error.find("Read-only"), std::string::npos) << result.error;
}
