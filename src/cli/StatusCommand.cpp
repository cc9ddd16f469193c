// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StatusCommand.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/CliSession.h"
#include "cli/JsonText.h"
#include "platform/files/FileSizes.h"
#include "run/NumberFormat.h"

CLI::App* StatusCommand::Register(CLI::App& app) {
    CLI::App* status = app.add_subcommand("status", "Count a collection's files and bytes");
    status->add_option("COLLECTION", collection_, "The collection file")->required();
    status->add_flag("--json", json_, "Print one JSON document");
    return status;
}

int StatusCommand::Execute(CliContext& context) {
    CliSession session(context);
    if (!session.Open(collection_, false)) {
        return kExitFailed;
    }
    const MusicLibrary& library = session.Library();
    uint64_t bytes = 0, bytesUntransferred = 0;
    // The files of one directory lie together in the file list: measured run by run, each run
    // relative to its open directory.
    const auto& entries = library.GetFiles();
    std::vector<const std::string*> names;
    std::vector<uint64_t> sizes;
    for (size_t begin = 0, end = 0; begin < entries.size(); begin = end) {
        const LibraryDirectory* owner = entries[begin]->GetOwner();
        names.clear();
        for (end = begin; end < entries.size() && entries[end]->GetOwner() == owner; ++end) {
            names.push_back(&entries[end]->GetName());
        }
        if (!owner->IsAvailable()) {
            continue;  // cannot be measured; counted apart
        }
        platform::FileSizesIn(owner->GetName(), names, sizes);
        for (size_t i = begin; i < end; ++i) {
            bytes += sizes[i - begin];
            bytesUntransferred += entries[i]->IsTransferred() ? 0 : sizes[i - begin];
        }
    }
    // Files of unavailable directories are counted apart, not among the files.
    const MusicLibrary::Counts counts = library.Count();
    nlohmann::json status{{"directories", library.GetDirectoryCount()},
                          {"files", counts.files},
                          {"transferred", counts.files - counts.untransferred},
                          {"untransferred", counts.untransferred},
                          {"bytes", bytes},
                          {"bytesUntransferred", bytesUntransferred},
                          {"unavailableDirectories", counts.unavailableDirectories},
                          {"unavailableFiles", counts.unavailableFiles}};
    JsonText::Put(status, "collection", session.Document().GetFilePath());
    if (json_) {
        context.out << JsonText::Dump(status);
        return kExitOk;
    }
    const auto grouped = [](uint64_t number) { return run::NumberFormat::Grouped(number); };
    context.out << "directories:       " << grouped(library.GetDirectoryCount()) << "\n"
                << "files:             " << grouped(counts.files) << "\n"
                << "transferred:       " << grouped(counts.files - counts.untransferred) << "\n"
                << "not yet:           " << grouped(counts.untransferred) << "\n"
                << "megabytes:         " << grouped(bytes >> 20) << "\n"
                << "megabytes not yet: " << grouped(bytesUntransferred >> 20) << "\n";
    if (counts.unavailableDirectories > 0) {
        context.out << "not available:     " << grouped(counts.unavailableDirectories)
                    << (counts.unavailableDirectories == 1 ? " directory" : " directories")
                    << " with " << grouped(counts.unavailableFiles)
                    << (counts.unavailableFiles == 1 ? " file" : " files") << " (kept as stored)\n";
    }
    return kExitOk;
}
