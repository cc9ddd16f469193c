#include "cli/ListCommand.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <unordered_map>
#include <vector>

#include "cli/CliSession.h"
#include "cli/JsonText.h"

namespace {

// The entries of each directory, in file-list order.
std::unordered_map<const LibraryDirectory*, std::vector<const LibraryEntry*>> FilesByDirectory(
    const MusicLibrary& library) {
    std::unordered_map<const LibraryDirectory*, std::vector<const LibraryEntry*>> files;
    for (const auto& entry : library.GetFiles()) {
        files[entry->GetOwner()].push_back(entry.get());
    }
    return files;
}

}  // namespace

CLI::App* ListCommand::Register(CLI::App& app) {
    CLI::App* list = app.add_subcommand("list", "Show a collection's directories, files and flags");
    list->add_option("COLLECTION", collection_, "The collection file")->required();
    list->add_flag("--json", json_, "Print one JSON document");
    return list;
}

int ListCommand::Execute(CliContext& context) {
    CliSession session(context);
    if (!session.Open(collection_, false)) {
        return kExitFailed;
    }
    const MusicLibrary& library = session.Library();
    auto files = FilesByDirectory(library);
    nlohmann::json directories = nlohmann::json::array();
    for (const auto& dir : library.GetDirectories()) {
        if (!json_) {
            context.out << dir->GetName() << (dir->GetFlag() ? "  (xdir)" : "")
                        << (dir->IsAvailable() ? "" : "  (not available)") << "\n";
        }
        nlohmann::json list = nlohmann::json::array();
        for (const LibraryEntry* entry : files[dir.get()]) {
            if (json_) {
                nlohmann::json file{{"flag", entry->GetFlag()}};
                JsonText::Put(file, "name", entry->GetName());
                list.push_back(file);
            } else {
                context.out << (entry->GetFlag() ? "  [x] " : "  [ ] ") << entry->GetName() << "\n";
            }
        }
        nlohmann::json directory{
            {"flag", dir->GetFlag()}, {"available", dir->IsAvailable()}, {"files", list}};
        JsonText::Put(directory, "path", dir->GetName());
        directories.push_back(directory);
    }
    if (json_) {
        nlohmann::json document{{"unavailableDirectories", library.Count().unavailableDirectories},
                                {"directories", directories}};
        JsonText::Put(document, "collection", session.Document().GetFilePath());
        context.out << JsonText::Dump(document);
    }
    return kExitOk;
}
