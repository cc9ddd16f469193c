// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DrivesCommand.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdio>

#include "cli/JsonText.h"
#include "run/NumberFormat.h"
#include "storage/AppSettings.h"
#include "transfer/DriveInfo.h"

DrivesCommand::DrivesCommand(const platform::VolumeQueries& volumes) : volumes_(volumes) {}

CLI::App* DrivesCommand::Register(CLI::App& app) {
    CLI::App* drives = app.add_subcommand("drives", "List the drives: root, type, label, bytes");
    drives->add_flag("--json", json_, "Print one JSON document");
    drives->add_flag("--all", all_, "Every mounted volume, the system's own too");
    return drives;
}

int DrivesCommand::Execute(CliContext& context) {
    nlohmann::json list = nlohmann::json::array();
    // The same drives as the desktop program's dialog offers; a settings file that cannot be
    // read only means there is no stick to add.
    AppSettings settings(context.settingsPath);
    settings.SetSaveOnDestroy(false);
    const std::vector<std::string> roots =
        all_ ? volumes_.GetDriveRoots()
             : DriveInfo::StickChoices(volumes_, settings.GetStickDrive());
    for (const std::string& root : roots) {
        DriveInfo drive(volumes_);
        drive.SetRootPath(root);
        drive.Refresh();
        const std::string typeText =
            DriveInfo::TypeText(drive.GetDriveType(), drive.IsFloppyLetter()).Text();
        if (json_) {
            platform::VolumeIdentity identity;
            volumes_.GetVolumeIdentity(root, identity);
            nlohmann::json item{{"type", static_cast<int>(drive.GetDriveType())},
                                {"typeText", typeText},
                                {"bytesTotal", drive.GetTotalBytes()},
                                {"bytesFree", drive.GetFreeBytes()}};
            JsonText::Put(item, "root", root);
            JsonText::Put(item, "label", drive.GetVolumeLabel());
            JsonText::Put(item, "uuid", identity.uuid);
            JsonText::Put(item, "fsType", identity.fsType);
            list.push_back(item);
            continue;
        }
        // English text: "," between thousands, whatever the locale.
        const std::string total = run::NumberFormat::Grouped(drive.GetTotalBytes());
        const std::string free = run::NumberFormat::Grouped(drive.GetFreeBytes());
        context.out << drive.GetDisplayName() << "\n    " << typeText << ", " << free << " of "
                    << total << " bytes free\n";
    }
    if (json_) {
        context.out << JsonText::Dump(nlohmann::json{{"drives", list}});
    } else if (roots.empty()) {
        context.out << "No drive for music is mounted: no removable drive, nothing in /media or "
                       "/mnt (--all lists every volume)\n";
    }
    return kExitOk;
}
