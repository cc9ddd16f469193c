// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <set>
#include <string>

// A fresh directory under the system's temporary folder, removed with everything in it at the end.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const;

  private:
    std::string path_;
};

// Whole-file helpers for tests; writing makes the folders the file lies in.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The names of the entries directly in `dir`, but for the hidden record a fill keeps on a stick.
std::set<std::string> FilesIn(const std::string& dir);
// Makes `link` a symbolic link to `target` (a folder link when `target` is a folder); false where
// the system cannot (Windows without the right to, wine).
bool TryCreateSymlink(const std::string& target, const std::string& link);
