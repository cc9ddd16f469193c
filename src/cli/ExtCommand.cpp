// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ExtCommand.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>

#include "cli/CliSession.h"
#include "cli/JsonText.h"
#include "storage/AppSettings.h"

namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// A leading dot is what users type from habit; the list holds extensions without it.
std::string Normalise(const std::string& ext) {
    return Lower(!ext.empty() && ext[0] == '.' ? ext.substr(1) : ext);
}

std::vector<std::string> Current(const AppSettings& settings) {
    return settings.GetExtensions();
}

void Replace(AppSettings& settings, std::vector<std::string> list) {
    std::sort(list.begin(), list.end());
    settings.RemoveAllExtensions();
    for (const std::string& ext : list) {
        settings.AddExtension(ext);
    }
}

int SaveOrFail(AppSettings& settings, CliContext& context) {
    if (const platform::Status saved = settings.Save(); !saved.Ok()) {
        context.err << "error: cannot write the settings file: " << saved.message.Text() << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

CLI::App* ExtCommand::Register(CLI::App& app) {
    CLI::App* ext = app.add_subcommand("ext", "List, add or remove the music file extensions");
    ext->require_subcommand(1);
    list_ = ext->add_subcommand("list", "List the music file extensions");
    list_->add_flag("--json", json_, "Print one JSON document");
    add_ = ext->add_subcommand("add", "Add music file extensions (e.g. mp3 ogg)");
    add_->add_option("EXT", extensions_, "Extensions without the dot")->required();
    remove_ = ext->add_subcommand("remove", "Remove music file extensions");
    remove_->add_option("EXT", extensions_, "Extensions to remove")->required();
    return ext;
}

int ExtCommand::Execute(CliContext& context) {
    AppSettings settings(context.settingsPath);
    settings.SetSaveOnDestroy(false);
    if (!CliSession::SettingsRead(settings, context)) {
        return kExitFailed;
    }
    if (add_->parsed()) {
        return Add(settings, context);
    }
    if (remove_->parsed()) {
        return Remove(settings, context);
    }
    List(settings, context);
    return kExitOk;
}

int ExtCommand::Add(AppSettings& settings, CliContext& context) {
    std::vector<std::string> list = Current(settings);
    for (const std::string& typed : extensions_) {
        const AppSettings::ExtensionCheck check = AppSettings::CheckExtension(typed);
        if (!check.ok()) {
            context.err << "error: '" << typed << "' is not a file extension: "
                        << AppSettings::ExtensionProblemText(check.problem) << "\n";
            return kExitFailed;
        }
        const std::string& ext = check.extension;
        const bool known = std::any_of(list.begin(), list.end(),
                                       [&](const std::string& e) { return Lower(e) == ext; });
        if (known) {
            context.err << "'" << ext << "' is already registered\n";
            continue;
        }
        list.push_back(ext);
    }
    if (list == Current(settings)) {
        return kExitOk;
    }
    Replace(settings, list);
    return SaveOrFail(settings, context);
}

int ExtCommand::Remove(AppSettings& settings, CliContext& context) {
    std::vector<std::string> list = Current(settings);
    for (const std::string& typed : extensions_) {
        const std::string ext = Normalise(typed);
        const auto before = list.size();
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](const std::string& e) { return Lower(e) == ext; }),
                   list.end());
        if (list.size() == before) {
            context.err << "'" << typed << "' is not registered\n";
        }
    }
    if (list == Current(settings)) {
        return kExitOk;
    }
    Replace(settings, list);
    return SaveOrFail(settings, context);
}

void ExtCommand::List(AppSettings& settings, CliContext& context) const {
    if (json_) {
        nlohmann::json document{{"extensions", settings.GetExtensions()}};
        JsonText::Put(document, "settings", settings.GetSettingsPath());
        context.out << JsonText::Dump(document);
        return;
    }
    for (const std::string& ext : settings.GetExtensions()) {
        context.out << ext << "\n";
    }
}
