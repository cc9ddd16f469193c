// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>

#include "collection/MusicLibrary.h"
#include "storage/AppSettings.h"
#include "storage/IniFile.h"
#include "support/TempDir.h"

// A temporary folder with music directories in it, settings that know only "mp3", and a library
// on a collection file object, as the document sets them up.
class CollectionTest : public ::testing::Test {
  protected:
    CollectionTest();

    // Creates the directory `name` below the temporary folder with empty files in it; a name
    // ending in "/" becomes a subdirectory. Returns the directory's path.
    std::string MakeDir(const std::string& name, std::initializer_list<std::string> entries = {});
    // The library in one line, paths relative to the temporary folder, for example
    // "Music[xdir]: a.mp3=1 b.mp3=0 | Other: ". Directories with flag 1 carry "[xdir]".
    std::string Describe(const MusicLibrary& library) const;
    std::string Describe() const { return Describe(library_); }

    TempDir temp_;
    AppSettings settings_;
    IniFile file_;
    MusicLibrary library_;
};
