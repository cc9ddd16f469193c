// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/FillRequest.h"

#include "storage/AppSettings.h"

namespace run {

TransferJob::Options FillRequest::From(const AppSettings& settings, const std::string& stick,
                                       bool deleteOld, const Choices& choices) {
    TransferJob::Options options;
    options.stickDrive = stick;
    options.deleteOld = deleteOld;
    options.settingsPath = settings.GetSettingsPath();
    options.perFolder = choices.perFolder.value_or(settings.GetPerFolder());
    options.folderLimit = choices.folderLimit.value_or(settings.GetFolderLimit());
    options.maxFolders = choices.maxFolders.value_or(settings.GetMaxFolders());
    options.numberFiles = choices.numberFiles.value_or(settings.GetNumberFiles());
    options.playlist = choices.playlist.value_or(settings.GetPlaylist());
    options.balanceFolders = choices.balanceFolders.value_or(settings.GetBalanceFolders());
    options.saveCollection = false;
    return options;
}

}  // namespace run
