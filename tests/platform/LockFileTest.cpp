// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/LockFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "support/TempDir.h"

namespace {

using platform::LockFile;
constexpr uid_t kUser = 65534;  // nobody: a user who owns the collection

// Whether `body` returns true in a child process.
bool InChild(const std::function<bool()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        _exit(body() ? 0 : 1);
    }
    int status = -1;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A collection owned by an ordinary user, group-writable, in a folder everybody may enter.
class LockFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (geteuid() != 0) {
            GTEST_SKIP() << "needs the superuser, to act as two users";
        }
        std::filesystem::permissions(dir_.Path(), std::filesystem::perms::all);
        WriteFileBytes(collection_, "[MusicFiles]\r\n");
        ASSERT_EQ(chown(collection_.c_str(), kUser, kUser), 0);
        ASSERT_EQ(chmod(collection_.c_str(), 0660), 0);
    }
    // Whether the user gets the lock, tried in a child process that runs as that user.
    bool UserLocks() const {
        return InChild([this] {
            return setgid(kUser) == 0 && setuid(kUser) == 0 &&
                   LockFile().TryLock(lockPath_, collection_).Ok();
        });
    }

    TempDir dir_;
    const std::string collection_ = dir_ / "music.ini";
    const std::string lockPath_ = collection_ + ".lock";
};

// Whether another program would find the lock at `path` free: a fresh descriptor in a child,
// locked directly (the child's copy of this process's held locks would answer for it).
bool FreeForAnotherProgram(const std::string& path) {
    return InChild([&path] {
        const int fd = open(path.c_str(), O_RDONLY);
        return fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0;
    });
}

}  // namespace

TEST(LockFileNestingTest, TheLockIsGivenUpWhenItsLastHolderInThisProcessLetsGo) {
    TempDir dir;
    const std::string path = dir / "music.ini.lock";
    LockFile run, save;
    ASSERT_EQ(run.TryLock(path).outcome, LockFile::Outcome::kLocked);
    // A lock this process holds is taken again at once.
    ASSERT_EQ(save.TryLock(path).outcome, LockFile::Outcome::kLocked);
    save.Unlock();
    EXPECT_FALSE(FreeForAnotherProgram(path));
    run.Unlock();
    EXPECT_TRUE(FreeForAnotherProgram(path));
}

TEST_F(LockFileTest, ALockFileMadeByTheSuperuserTakesTheCollectionsOwnerAndMode) {
    LockFile lock;
    ASSERT_EQ(lock.TryLock(lockPath_, collection_).outcome, LockFile::Outcome::kLocked);
    struct stat st {};
    ASSERT_EQ(stat(lockPath_.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kUser);
    EXPECT_EQ(st.st_gid, kUser);
    EXPECT_EQ(st.st_mode & 0777, 0660u);
}

// A lock file left by an older run as root, root-owned and 0644: the user may not write it.
TEST_F(LockFileTest, AUserWhoMayWriteTheCollectionLocksItThroughALockFileOfTheSuperuser) {
    WriteFileBytes(lockPath_, "");
    ASSERT_EQ(chmod(lockPath_.c_str(), 0644), 0);
    EXPECT_TRUE(UserLocks());
}
