#include "cli/StatusCommand.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/CliSession.h"
#include "transfer/FileOperations.h"

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
    const FileOperations files;
    uint64_t bytes = 0, bytesUntransferred = 0;
    for (const auto& entry : library.GetFiles()) {
        if (!entry->GetOwner()->IsAvailable()) {
            continue;  // cannot be measured; counted apart
        }
        const uint64_t size = files.GetSizeOfFile(entry->GetDirectory(), entry->GetName());
        bytes += size;
        if (entry->GetFlag() == 0) {
            bytesUntransferred += size;
        }
    }
    // Files of unavailable directories are counted apart, not among the files.
    const MusicLibrary::Counts counts = library.Count();
    const nlohmann::json status{{"collection", session.Document().GetFilePath()},
                                {"directories", library.GetDirectoryCount()},
                                {"files", counts.files},
                                {"transferred", counts.files - counts.untransferred},
                                {"untransferred", counts.untransferred},
                                {"bytes", bytes},
                                {"bytesUntransferred", bytesUntransferred},
                                {"unavailableDirectories", counts.unavailableDirectories},
                                {"unavailableFiles", counts.unavailableFiles}};
    if (json_) {
        context.out << status.dump(2) << "\n";
        return kExitOk;
    }
    context.out << "directories:       " << library.GetDirectoryCount() << "\n"
                << "files:             " << counts.files << "\n"
                << "transferred:       " << counts.files - counts.untransferred << "\n"
                << "not yet:           " << counts.untransferred << "\n"
                << "megabytes:         " << (bytes >> 20) << "\n"
                << "megabytes not yet: " << (bytesUntransferred >> 20) << "\n";
    if (counts.unavailableDirectories > 0) {
        context.out << "not available:     " << counts.unavailableDirectories
                    << " directories with " << counts.unavailableFiles
                    << " files (kept as stored)\n";
    }
    return kExitOk;
}
