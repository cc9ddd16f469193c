#pragma once

#include <cstdint>
#include <string>

// A size-limited RAM volume mounted on a fresh directory: a real mount point with exact free
// space, for tests of full discs and sticks. Mounting needs the superuser on Linux and is not
// possible on Windows; then IsMounted() is false and the test skips itself.
class TmpfsMount {
  public:
    // `options` are extra tmpfs mount options such as "ro".
    explicit TmpfsMount(uint64_t sizeBytes, const std::string& options = std::string());
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool IsMounted() const { return mounted_; }
    const std::string& Path() const { return path_; }
    // Unmounts now (lazily if busy), as when a stick is pulled out; the directory stays.
    void Unmount();
    // Mounts the volume again read-only, as a stick whose write protection is switched on.
    void MakeReadOnly();

  private:
    std::string path_;
    bool mounted_ = false;
};

#define SKIP_UNLESS_MOUNTED(mount)                                             \
    do {                                                                       \
        if (!(mount).IsMounted()) {                                            \
            GTEST_SKIP() << "cannot mount a tmpfs here (Linux, as superuser)"; \
        }                                                                      \
    } while (0)
