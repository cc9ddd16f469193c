#include "cli/AddCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>

#include "cli/CliSession.h"

namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsListed(const MusicLibrary& library, const std::string& path) {
    const auto& dirs = library.GetDirectories();
    return std::any_of(dirs.begin(), dirs.end(),
                       [&](const auto& dir) { return EqualIgnoringCase(dir->GetName(), path); });
}

}  // namespace

CLI::App* AddCommand::Register(CLI::App& app) {
    CLI::App* add = app.add_subcommand("add", "Add music directories to a collection");
    add->add_option("COLLECTION", collection_, "The collection file (created when missing)")
        ->required();
    add->add_option("DIR", directories_, "Music directories, stored as given")->required();
    return add;
}

int AddCommand::Execute(CliContext& context) {
    CliSession session(context);
    if (!session.CheckFileTypesSet()) {
        return kExitFailed;
    }
    if (!session.Open(collection_, true)) {
        return kExitFailed;
    }
    bool allAdded = true;
    for (const std::string& dir : directories_) {
        if (dir.empty()) {
            continue;
        }
        if (IsListed(session.Library(), dir)) {
            context.err << dir << " is already in the collection\n";
            continue;
        }
        if (!session.Document().AddDirectory(dir)) {
            allAdded = false;  // the document has said why
            continue;
        }
        session.Document().SetModifiedFlag();
    }
    if (!session.Save()) {
        return kExitFailed;
    }
    return allAdded ? kExitOk : kExitFailed;
}
