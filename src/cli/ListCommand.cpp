// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ListCommand.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>

#include "cli/CliSession.h"
#include "cli/JsonText.h"

namespace {

// Writes `value` as the document's dump would show it nested `indent` spaces deep.
void WriteIndented(std::ostream& out, const nlohmann::json& value, size_t indent) {
    const std::string text = JsonText::Dump(value);
    const std::string margin(indent, ' ');
    size_t start = 0;
    for (size_t end = text.find('\n'); end + 1 < text.size(); end = text.find('\n', start)) {
        out << text.substr(start, end + 1 - start) << margin;
        start = end + 1;
    }
    out << text.substr(start, text.size() - 1 - start);
}

// Writes `object`, whose member `key` is an array, with that array's elements written by
// `elements` (which gets the indent of an element): a big array is written piece by piece
// instead of being held as a whole.
template <typename Elements>
void WriteWithArray(std::ostream& out, nlohmann::json object, const char* key, size_t indent,
                    Elements elements) {
    object[key] = "\x01";  // a mark where the array goes
    std::ostringstream frame;
    WriteIndented(frame, object, indent);
    const std::string text = frame.str();
    const std::string mark = std::string("\"") + key + "\": \"\\u0001\"";
    const size_t value = 8;  // "\u0001" with its quotes
    const size_t at = text.find(mark) + mark.size() - value;
    out << text.substr(0, at) << "[";
    const bool any = elements(indent + 4);
    out << (any ? "\n" + std::string(indent + 2, ' ') + "]" : "]") << text.substr(at + value);
}

}  // namespace

ListCommand::FileLists ListCommand::FilesByDirectory(const MusicLibrary& library) {
    FileLists files;
    for (const auto& entry : library.GetFiles()) {
        files[entry->GetOwner()].push_back(entry.get());
    }
    return files;
}

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
    FileLists files = FilesByDirectory(library);
    if (json_) {
        WriteJson(session, files, context.out);
        return kExitOk;
    }
    for (const auto& dir : library.GetDirectories()) {
        context.out << dir->GetName() << (dir->GetFlag() ? "  (xdir)" : "")
                    << (dir->IsAvailable() ? "" : "  (not available)") << "\n";
        for (const LibraryEntry* entry : files[dir.get()]) {
            context.out << (entry->IsTransferred() ? "  [x] " : "  [ ] ") << entry->GetName()
                        << "\n";
        }
    }
    return kExitOk;
}

void ListCommand::WriteJson(CliSession& session, FileLists& files, std::ostream& out) const {
    // The document is written as it goes, one file at a time: its size is never held.
    const MusicLibrary& library = session.Library();
    nlohmann::json document{{"unavailableDirectories", library.Count().unavailableDirectories}};
    JsonText::Put(document, "collection", session.Document().GetFilePath());
    const auto separator = [&out](bool& first, size_t indent) {
        out << (first ? "\n" : ",\n") << std::string(indent, ' ');
        first = false;
    };
    WriteWithArray(out, document, "directories", 0, [&](size_t dirIndent) {
        bool firstDir = true;
        for (const auto& dir : library.GetDirectories()) {
            separator(firstDir, dirIndent);
            nlohmann::json directory{{"flag", dir->GetFlag()}, {"available", dir->IsAvailable()}};
            JsonText::Put(directory, "path", dir->GetName());
            WriteWithArray(out, directory, "files", dirIndent, [&](size_t fileIndent) {
                bool firstFile = true;
                for (const LibraryEntry* entry : files[dir.get()]) {
                    separator(firstFile, fileIndent);
                    nlohmann::json file{{"flag", entry->GetFlag()}};
                    JsonText::Put(file, "name", entry->GetName());
                    WriteIndented(out, file, fileIndent);
                }
                return !firstFile;
            });
        }
        return !firstDir;
    });
    out << "\n";
}
