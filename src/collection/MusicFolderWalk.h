// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Finds the folders of a music tree (Music/Artist/Album/...) that hold music files directly:
// `root` itself and every folder below it, depth first, subfolders in byte-wise name order.
// Symbolic links to folders are not followed (a link loop or a link out of the tree would add
// folders twice or from elsewhere); folders that cannot be listed are passed over.
class MusicFolderWalk {
  public:
    // Called after each folder looked at with the number looked at so far; returning false
    // stops the walk, which then returns what it found up to there.
    using Progress = std::function<bool(size_t foldersSeen)>;

    explicit MusicFolderWalk(std::vector<std::string> extensions)
        : extensions_(std::move(extensions)) {}

    std::vector<std::string> Find(const std::string& root, const Progress& progress = {}) const;
    // Whether `folder` has a subfolder (not a link to one); the question whether to add a
    // whole tree is asked only then.
    static bool HasSubfolders(const std::string& folder);

  private:
    std::vector<std::string> extensions_;
};
