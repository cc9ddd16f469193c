// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/Result.h"
#include "platform/files/FileIdentity.h"

// Keeps a fill and a wipe of the stick away from the user's own files. Everything is decided by
// file identity (platform::FileIdentity), never by comparing path strings, so that symbolic
// links and bind mounts cannot lead the stick onto a music folder.
//
// Each protected path (music folders, the collection file, the settings file) is taken as given
// and as its link-resolved target; every folder from it up to the file system's root is an
// ancestor that a wipe of the stick must not reach.
class WipeGuard {
  public:
    enum class Permission { kAllowed, kRefused };
    // The message says why not, for the user.
    using Verdict = platform::Result<Permission>;

    WipeGuard(std::string stick, const std::vector<std::string>& musicFolders,
              const std::vector<std::string>& keptFiles);

    // May files be copied into the stick? Never into a music folder itself (the copies would join
    // the collection at its next load); a plain folder also not inside one or above one.
    Verdict CheckTarget(bool plainFolder) const;
    // May everything below the stick be deleted? Not when the stick's root or a folder on it (as
    // a wipe walks it: no links followed, no mounts entered) is a protected path or an ancestor
    // of one, nor when it is the system's root folder.
    Verdict CheckWipe() const;

  private:
    struct Protected {
        std::string path;  // as the user gave it, for messages
        bool musicFolder;
        std::vector<platform::FileIdentity> self;       // the path as given, and its target
        std::vector<platform::FileIdentity> ancestors;  // every folder above either
    };

    static Protected Describe(const std::string& path, bool musicFolder);
    static bool Contains(const std::vector<platform::FileIdentity>& list,
                         const platform::FileIdentity& identity);

    std::string stick_;
    std::vector<Protected> protected_;
};
