// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// One music directory of the collection: its path exactly as the user gave it (or as the
// collection file holds it) and the flag that picks its key in the collection file.
class LibraryDirectory {
  public:
    // Flag 0 is written as "dir", any other value as "xdir".
    LibraryDirectory(std::string path, int flag);

    // The path as stored: never normalised, compared byte for byte.
    const std::string& GetName() const { return name_; }
    int GetFlag() const { return flag_; }

    // False for a directory that could not be listed when the collection was loaded (a disc
    // not plugged in, a share not mounted): its entries are the stored lines, kept unchanged
    // and written back as they were, and they take no part in transfers.
    bool IsAvailable() const { return available_; }
    void SetAvailable(bool available) { available_ = available; }

  private:
    std::string name_;
    int flag_;
    bool available_ = true;
};
