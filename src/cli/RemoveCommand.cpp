// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RemoveCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>

#include "cli/CliSession.h"

CLI::App* RemoveCommand::Register(CLI::App& app) {
    CLI::App* remove = app.add_subcommand("remove", "Remove music directories from a collection");
    remove->add_option("COLLECTION", collection_, "The collection file")->required();
    remove->add_option("DIR", directories_, "Directories, exactly as listed")->required();
    return remove;
}

int RemoveCommand::Execute(CliContext& context) {
    CliSession session(context);
    if (!session.Open(collection_, false)) {
        return kExitFailed;
    }
    bool allFound = true;
    int removed = 0;
    for (const std::string& dir : directories_) {
        const auto& dirs = session.Library().GetDirectories();
        const bool listed = std::any_of(dirs.begin(), dirs.end(),
                                        [&](const auto& d) { return d->GetName() == dir; });
        if (!listed) {
            context.err << "error: " << dir << " is not in the collection\n";
            allFound = false;
            continue;
        }
        session.Document().RemoveDirectory(dir);
        session.Document().SetModifiedFlag();
        ++removed;
    }
    if (removed > 0 && !session.Save()) {
        return kExitFailed;
    }
    return allFound ? kExitOk : kExitFailed;
}
