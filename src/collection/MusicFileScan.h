// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/files/RegularFiles.h"

// Finding the music files of one directory: the regular files directly in it (never in its
// subdirectories) whose names end in "." plus one of the given extensions, without regard to
// ASCII case on every platform.

// True when `name` ends in "." followed by `extension` (ASCII letters in any case). The extension
// is used exactly as given, so ".mp3" finds only names ending in "..mp3".
bool MatchesExtension(const std::string& name, const std::string& extension);

// What listing a directory found.
using ListOutcome = platform::ListOutcome;

// Appends to `names` the music files of `directory`: extension by extension in the order given,
// and within one extension sorted byte-wise, so that results are repeatable. A file matching two
// extensions is appended twice. Directories (whatever their name) and other non-regular entries
// are skipped, and so are names holding a line break, which the collection file cannot store;
// symbolic links count as what they point to. Works with the full path and leaves
// the process's current directory alone. Appends nothing unless the outcome is Listed.
ListOutcome ListMusicFiles(const std::string& directory, const std::vector<std::string>& extensions,
                           std::vector<std::string>& names);
