// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "collection/LibraryDirectory.h"

// One music file of the collection: its name, the directory it lies in and its transfer flag
// (0: not transferred in the current cycle, 1: transferred). Entries belong to the MusicLibrary;
// everybody else holds them through non-owning pointers.
class LibraryEntry {
  public:
    // The two values of the transfer flag, as the collection file writes them (f0=, f1=).
    static constexpr int kNotTransferred = 0;
    static constexpr int kTransferred = 1;

    // `owner` must outlive the entry; the library guarantees that for the entries it makes.
    LibraryEntry(LibraryDirectory* owner, std::string name, int flag);

    // The file name alone, as the directory listing returned it (bytes, UTF-8 on Linux).
    const std::string& GetName() const { return name_; }
    LibraryDirectory* GetOwner() const { return owner_; }
    // The owning directory's path as stored.
    const std::string& GetDirectory() const { return owner_->GetName(); }
    // Directory, a separator unless the directory already ends in one, and the file name.
    std::string GetFullPath() const;

    int GetFlag() const { return flag_; }
    void SetFlag(int flag) { flag_ = flag; }
    bool IsTransferred() const { return flag_ != kNotTransferred; }

    // The flag as the collection file held it when it was last read or written here; an entry
    // whose flag differs was changed by this program since (a transfer marked it).
    int GetFileFlag() const { return fileFlag_; }
    void SetFileFlag(int flag) { fileFlag_ = flag; }
    bool IsChangedHere() const { return flag_ != fileFlag_; }

  private:
    LibraryDirectory* owner_;
    std::string name_;
    int flag_;
    int fileFlag_;
};
