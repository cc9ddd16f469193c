// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/AddCommand.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <system_error>

#include "cli/CliSession.h"
#include "collection/MusicFolderWalk.h"
#include "platform/files/Utf8Path.h"
#include "run/NumberFormat.h"

CLI::App* AddCommand::Register(CLI::App& app) {
    CLI::App* add = app.add_subcommand("add", "Add music directories to a collection");
    add->add_option("COLLECTION", collection_, "The collection file (created when missing)")
        ->required();
    add->add_option("DIR", directories_, "Music directories, stored as given")->required();
    add->add_flag("--recursive,-r", recursive_,
                  "Add every folder below each DIR that holds music, each as a directory");
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
    std::vector<std::string> said;  // what was added, said once the collection is saved
    for (const std::string& given : directories_) {
        if (given.empty()) {
            continue;
        }
        const CTunecrateDoc::AddedFolders tally = session.Document().AddFolders(
            FoldersFor(given, session.Settings().GetExtensions(), context));
        allAdded = allAdded && tally.refused == 0;
        if (!recursive_) {
            Explain(given, tally, context);
        }
        if (recursive_ && tally.added + tally.listed > 0) {
            said.push_back(given + ": " + Counted(tally.added, "folder", "folders") + " with " +
                           Counted(tally.files, "music file", "music files") + " added, " +
                           Counted(tally.listed, "folder", "folders") +
                           " already in the collection");
        } else if (tally.added > 0) {
            said.push_back("Added " + given + ": " +
                           Counted(tally.files, "music file", "music files"));
        }
    }
    if (!session.Save()) {
        return kExitFailed;
    }
    for (const std::string& line : said) {
        context.out << line << "\n";
    }
    return allAdded ? kExitOk : kExitFailed;
}

void AddCommand::Explain(const std::string& dir, const CTunecrateDoc::AddedFolders& added,
                         CliContext& context) {
    if (added.listed > 0) {
        context.err << dir << " is already in the collection\n";
    } else if (added.added > 0 && added.files == 0 && MusicFolderWalk::HasSubfolders(dir)) {
        context.err << dir
                    << " holds no music files itself; --recursive adds the folders below it\n";
    }
}

std::string AddCommand::Counted(size_t count, const char* one, const char* many) {
    return run::NumberFormat::Grouped(count) + " " + (count == 1 ? one : many);
}

std::vector<std::string> AddCommand::FoldersFor(const std::string& dir,
                                                const std::vector<std::string>& extensions,
                                                CliContext& context) const {
    std::error_code ec;
    if (!recursive_ || !std::filesystem::is_directory(platform::PathFromUtf8(dir), ec)) {
        return {dir};  // adding it reports what is wrong with it
    }
    // A big tree takes a while: a terminal sees how far the walk has come.
    const MusicFolderWalk::Progress progress = [&](size_t seen) {
        if (context.interactive && seen % 500 == 0) {
            context.err << "\rlooking through " << dir << ": " << seen << " folders" << std::flush;
        }
        return true;
    };
    std::vector<std::string> folders = MusicFolderWalk(extensions).Find(dir, progress);
    if (context.interactive) {
        context.err << "\r";
    }
    if (folders.empty()) {
        context.err << "no folder with music files below " << dir << "\n";
    }
    return folders;
}
