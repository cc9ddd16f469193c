// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>

#include <filesystem>
#include <functional>

#include "platform/files/DurableFile.h"
#include "platform/files/FileDescriptor_posix.h"
#include "platform/files/FileIdentity.h"
#include "platform/files/FileSizes.h"
#include "platform/files/LockFile.h"
#include "platform/files/RegularFiles.h"
#include "platform/volumes/MountWatcher.h"
#include "support/TempDir.h"

namespace {

using namespace platform;

size_t OpenDescriptors() {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return static_cast<size_t>(std::distance(fds, std::filesystem::directory_iterator()));
}

// A folder with a file, a subfolder and a link to the file.
class DescriptorLeakTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFileBytes(file_, "data");
        WriteFileBytes(dir_ / "sub/inner/song.mp3", "x");
        TryCreateSymlink(file_, dir_ / "link.mp3");
    }
    TempDir dir_;
    const std::string file_ = dir_ / "song.mp3";
};

TEST_F(DescriptorLeakTest, FileAndVolumeCallsLeaveNoDescriptorOpen) {
    const std::string name = "song.mp3";
    std::vector<uint64_t> sizes;
    std::vector<std::string> files;
    std::string text;
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"FolderIdentitiesBelow", [&] { FolderIdentitiesBelow(dir_.Path()); }},
        {"FileSizesIn", [&] { FileSizesIn(dir_.Path(), {&name}, sizes); }},
        {"ListRegularFiles", [&] { ListRegularFiles(dir_.Path(), files); }},
        {"ReadWholeFile", [&] { ReadWholeFile(file_, 100, text); }},
        {"ReadWholeFile too large", [&] { ReadWholeFile(file_, 1, text); }},
        {"ReplaceFileContents", [&] { ReplaceFileContents(file_, "new"); }},
        {"LockFile", [&] { LockFile().TryLock(dir_ / "lock"); }},
        {"LockFile busy",
         [&] {
             const FileDescriptor holder(open((dir_ / "lock").c_str(), O_RDWR | O_CREAT, 0644));
             ASSERT_EQ(flock(holder.Get(), LOCK_EX | LOCK_NB), 0);
             EXPECT_EQ(LockFile().TryLock(dir_ / "lock").outcome, LockFile::Outcome::kBusy);
         }},
        {"MountWatcher", [] { MountWatcher().Wait(0); }},
    };
    for (const auto& [what, call] : calls) {
        SCOPED_TRACE(what);
        const size_t before = OpenDescriptors();
        call();
        EXPECT_EQ(OpenDescriptors(), before);
    }
}

}  // namespace
