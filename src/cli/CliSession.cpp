// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSession.h"

#include <filesystem>
#include <system_error>

#include "platform/files/Utf8Path.h"

CliSession::CliSession(CliContext& context)
    : context_(context),
      settings_(context.settingsPath),
      ui_(context.err),
      document_(ui_, &settings_) {
    settings_.SetSaveOnDestroy(false);
}

bool CliSession::SettingsRead(const AppSettings& settings, CliContext& context) {
    if (settings.GetLoadResult().Ok()) {
        return true;
    }
    context.err << "error: cannot read the settings file "
                << settings.GetLoadResult().message.Text() << "\n";
    return false;
}

bool CliSession::Open(const std::string& path, bool createIfMissing) {
    if (!SettingsRead(settings_, context_)) {
        return false;
    }
    std::error_code ec;
    if (!createIfMissing && !std::filesystem::exists(platform::PathFromUtf8(path), ec)) {
        context_.err << "error: no collection file at " << path << "\n";
        return false;
    }
    if (std::filesystem::is_directory(platform::PathFromUtf8(path), ec)) {
        context_.err << "error: " << path << " is a directory, not a collection file\n";
        return false;
    }
    return document_.LoadCollection(path);
}

bool CliSession::CheckFileTypesSet() {
    if (settings_.GetExtensionCount() > 0) {
        return true;
    }
    context_.err << "error: no music file types are set, so no music can be found; set them "
                    "first, for example: tunecrate-cli ext add mp3 flac\n";
    return false;
}
