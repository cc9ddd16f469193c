// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/LockFile.h"

#include <map>
#include <mutex>

namespace platform {
namespace {

struct Held {
    intptr_t handle;
    int count;
};

std::mutex gMutex;
std::map<std::string, Held>& HeldLocks() {
    static std::map<std::string, Held> held;
    return held;
}

}  // namespace

LockFile::Result LockFile::TryLock(const std::string& path, const std::string& like) {
    Unlock();
    std::lock_guard<std::mutex> guard(gMutex);
    auto found = HeldLocks().find(path);
    if (found != HeldLocks().end()) {
        ++found->second.count;
        path_ = path;
        return {};
    }
    Result result;
    const intptr_t handle = Acquire(path, like, result);
    if (result.Ok()) {
        HeldLocks().emplace(path, Held{handle, 1});
        path_ = path;
    }
    return result;
}

void LockFile::Unlock() {
    if (path_.empty()) {
        return;
    }
    std::lock_guard<std::mutex> guard(gMutex);
    auto found = HeldLocks().find(path_);
    if (found != HeldLocks().end() && --found->second.count == 0) {
        Release(found->second.handle);
        HeldLocks().erase(found);
    }
    path_.clear();
}

}  // namespace platform
