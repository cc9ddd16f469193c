#include "cli/StatusCommand.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/CliSession.h"
#include "cli/JsonText.h"
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
    uint64_t transferred = 0, bytes = 0, bytesUntransferred = 0;
    for (const auto& entry : library.GetFiles()) {
        const uint64_t size = files.GetSizeOfFile(entry->GetDirectory(), entry->GetName());
        bytes += size;
        if (entry->GetFlag() != 0) {
            ++transferred;
        } else {
            bytesUntransferred += size;
        }
    }
    const uint64_t count = library.GetFiles().size();
    nlohmann::json status{{"directories", library.GetDirectoryCount()},
                          {"files", count},
                          {"transferred", transferred},
                          {"untransferred", count - transferred},
                          {"bytes", bytes},
                          {"bytesUntransferred", bytesUntransferred}};
    JsonText::Put(status, "collection", session.Document().GetFilePath());
    if (json_) {
        context.out << JsonText::Dump(status);
        return kExitOk;
    }
    context.out << "directories:       " << library.GetDirectoryCount() << "\n"
                << "files:             " << count << "\n"
                << "transferred:       " << transferred << "\n"
                << "not yet:           " << count - transferred << "\n"
                << "megabytes:         " << (bytes >> 20) << "\n"
                << "megabytes not yet: " << (bytesUntransferred >> 20) << "\n";
    return kExitOk;
}
