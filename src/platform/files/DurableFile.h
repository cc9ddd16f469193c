// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "platform/Result.h"

namespace platform {

// Replaces the file at `path` with `data` so that a crash, a full disc or an I/O error never
// leaves a truncated file: the data goes to a temporary file in the same directory, is flushed to
// the device and renamed over the target. A target that exists but is read-only is left alone.
// A symbolic link is followed and its target replaced. On failure the old file is unchanged, no
// temporary file remains, and the message says why.
Status ReplaceFileContents(const std::string& path, const std::string& data);

// How reading a whole file ended; the message says why it failed, without the path.
enum class ReadOutcome { kRead, kMissing, kFailed };
using FileReadResult = Result<ReadOutcome>;

// Reads the whole file at `path` into `text`. The file is opened without blocking, so that a
// named pipe or a device in its place cannot hang the program, and it must be a regular file of
// at most `maxBytes` bytes (a larger one fails with a message that says so, instead of
// exhausting the memory).
FileReadResult ReadWholeFile(const std::string& path, uint64_t maxBytes, std::string& text);

// True when `path` names an existing file that may not be written (its read-only attribute).
bool IsReadOnlyFile(const std::string& path);

}  // namespace platform
