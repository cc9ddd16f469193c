#include "cli/CliSession.h"

#include <filesystem>
#include <system_error>

CliSession::CliSession(CliContext& context)
    : context_(context), settings_(context.settingsPath), ui_(context.err), document_(ui_, &settings_) {
    settings_.SetSaveOnDestroy(false);
}

bool CliSession::Open(const std::string& path, bool createIfMissing) {
    std::error_code ec;
    if (!createIfMissing && !std::filesystem::exists(path, ec)) {
        context_.err << "error: no collection file at " << path << "\n";
        return false;
    }
    if (std::filesystem::is_directory(path, ec)) {
        context_.err << "error: " << path << " is a directory, not a collection file\n";
        return false;
    }
    return document_.LoadCollection(path);
}
