// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "cli/CliCommand.h"
#include "cli/TerminalCollectionUi.h"
#include "collection/CTunecrateDoc.h"
#include "storage/AppSettings.h"

// The settings and one collection document, as a command works with them. The settings file is
// never written from here: only commands that change the settings save them.
class CliSession {
  public:
    explicit CliSession(CliContext& context);

    // Loads the collection at `path` (a rescan of its directories). A missing file is an error
    // unless `createIfMissing`; then it becomes an empty collection that a save creates.
    // Settings that could not be read are an error too.
    bool Open(const std::string& path, bool createIfMissing);
    // False, said on the error stream, when no music file types are set: nothing would be found,
    // and a save would drop every file of the collection with its flag.
    bool CheckFileTypesSet();
    // False, after saying why, when the settings file exists but could not be read.
    static bool SettingsRead(const AppSettings& settings, CliContext& context);
    // Saves the collection; a failure has been reported on the error stream.
    bool Save() { return document_.SaveCollection(); }

    AppSettings& Settings() { return settings_; }
    CTunecrateDoc& Document() { return document_; }
    const MusicLibrary& Library() const { return document_.GetLibrary(); }

  private:
    CliContext& context_;
    AppSettings settings_;
    TerminalCollectionUi ui_;
    CTunecrateDoc document_;
};
