// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "transfer/TransferJob.h"

class AppSettings;

namespace run {

// What a fill is asked to do, from the settings and what the user chose for this run: every
// front end builds its job's options here.
class FillRequest {
  public:
    // Choices made for one run; those left unset come from the settings.
    struct Choices {
        std::optional<unsigned> perFolder;
        std::optional<unsigned> folderLimit;
        std::optional<unsigned> maxFolders;
        std::optional<bool> numberFiles;
        std::optional<bool> playlist;
        std::optional<bool> balanceFolders;
    };

    // The options of a fill of `stick`. The collection is saved by the front end on the
    // document's thread once the job has ended (RunSummary::SaveDue), never by the job's thread.
    static TransferJob::Options From(const AppSettings& settings, const std::string& stick,
                                     bool deleteOld, const Choices& choices = {});
};

}  // namespace run
