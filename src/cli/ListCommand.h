// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "cli/CliCommand.h"

class CliSession;
class LibraryDirectory;
class LibraryEntry;
class MusicLibrary;

// `list COLLECTION [--json]`: the collection after loading (which rescans its directories): each
// directory with its music files and their transfer flags.
class ListCommand : public CliCommand {
  public:
    CLI::App* Register(CLI::App& app) override;
    int Execute(CliContext& context) override;
    bool IsListing() const override { return true; }

  private:
    using FileLists = std::unordered_map<const LibraryDirectory*, std::vector<const LibraryEntry*>>;

    // The entries of each directory, in file-list order.
    static FileLists FilesByDirectory(const MusicLibrary& library);
    // The collection as one JSON document, written piece by piece.
    void WriteJson(CliSession& session, FileLists& files, std::ostream& out) const;

    std::string collection_;
    bool json_ = false;
};
