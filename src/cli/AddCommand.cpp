#include "cli/AddCommand.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <system_error>

#include "cli/CliSession.h"
#include "collection/MusicFolderWalk.h"
#include "platform/Utf8Path.h"

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
    for (const std::string& given : directories_) {
        if (given.empty()) {
            continue;
        }
        for (const std::string& dir :
             FoldersFor(given, session.Settings().GetExtensions(), context)) {
            if (session.Document().IsListed(dir)) {
                context.err << dir << " is already in the collection\n";
                continue;
            }
            const size_t filesBefore = session.Library().GetFiles().size();
            if (!session.Document().AddDirectory(dir)) {
                allAdded = false;  // the document has said why
                continue;
            }
            session.Document().SetModifiedFlag();
            if (session.Library().GetFiles().size() == filesBefore &&
                MusicFolderWalk::HasSubfolders(dir)) {
                context.err << dir
                            << " holds no music files itself; --recursive adds the folders "
                               "below it\n";
            }
        }
    }
    if (!session.Save()) {
        return kExitFailed;
    }
    return allAdded ? kExitOk : kExitFailed;
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
