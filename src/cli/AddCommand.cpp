#include "cli/AddCommand.h"

#include <CLI/CLI.hpp>

#include "cli/CliSession.h"

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
        if (session.Document().IsListed(dir)) {
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
