// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Result.h"

// A folder on the stick, held open: the stick's root, its path resolved once when a run starts
// (a link to the mount point is fine), or a real folder inside another one. Everything the
// program then opens on the stick is reached relative to such a folder, one name at a time, and
// never through a symbolic link (on Windows a reparse point or junction) or into another mounted
// volume: a link on the stick cannot lead a write outside it, and another volume mounted at the
// stick's path later does not receive this run's files. Copies share the open folder.
class StickFolder {
  public:
    enum class Outcome { kOpened, kMissing, kNotAFolder, kFolderFull, kFailed };
    // What lies at a name: nothing, a regular file, a real folder, or anything else (a link, a
    // device, a pipe, a folder of another volume).
    enum class Kind { kNone, kFile, kFolder, kOther };
    // How opening a folder ended; the message is the system's words for a failure.
    using OpenResult = platform::Result<Outcome>;

    StickFolder() = default;

    // Opens `path` as a stick's root.
    static OpenResult OpenRoot(const std::string& path, StickFolder& root);
    // Opens the folder `name` directly in this one, made first when `create` and missing; a
    // link, a file or another volume's folder at that name gives kNotAFolder, a folder the
    // stick cannot hold any more (no space, a full FAT root) kFolderFull.
    OpenResult OpenChild(const std::string& name, bool create, StickFolder& child) const;

    // Makes the new, empty file `name` (nothing is replaced); not flushed.
    bool CreateEmptyFile(const std::string& name) const;
    // Removes the empty folder `name` directly in this one (never a link's target); true when it
    // is gone.
    bool RemoveEmptyChild(const std::string& name) const;

    bool IsOpen() const { return static_cast<bool>(handle_); }
    // The folder's path as given, for messages.
    const std::string& Path() const { return path_; }
    // `name` in this folder as a path, for messages.
    std::string PathOf(const std::string& name) const;

    // What lies at `relative` ("/" between folders, each of them a real folder).
    Kind KindOf(const std::string& relative) const;
    // The names in this folder, in the order the file system gives them.
    std::vector<std::string> List() const;
    // The regular file `name` of at most `maxBytes` bytes, read whole. False with `text` empty
    // for anything else: missing, a link, a pipe or device (never waited for), larger.
    bool ReadSmallFile(const std::string& name, uint64_t maxBytes, std::string& text) const;
    // Replaces what lies at `name` with a new file holding `data`, atomically: written to a
    // temporary (FileOperations::TemporaryName) first, flushed, then renamed over the name. A
    // link or pipe at the name is replaced itself, never written through; a read-only file or a
    // folder stays, and that fails.
    platform::Status ReplaceContents(const std::string& name, const std::string& data) const;

    // Appends `data` to the regular file `name` (made when missing); a link, pipe or device at
    // the name fails and is never written through. The data reaches the device no later than
    // with the stick's next FileOperations::FlushVolume, which on Windows flushes only folders,
    // so there the file is flushed at once.
    platform::Status AppendContents(const std::string& name, const std::string& data) const;

#ifndef _WIN32
    int Descriptor() const;
    // The device of the volume the folder is on.
    unsigned long long Device() const;
#endif

  private:
    struct Handle;

    std::string path_;
    std::shared_ptr<Handle> handle_;
};
