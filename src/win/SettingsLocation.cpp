#include "win/SettingsLocation.h"

#include <filesystem>
#include <system_error>

#include "platform/Utf8Path.h"
#include "storage/AppSettings.h"

namespace win {

std::string SettingsPath(const std::string& executablePath, const std::string& appData) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path beside =
        platform::PathFromUtf8(executablePath).parent_path() / AppSettings::kFileName;
    if (appData.empty() || fs::is_regular_file(beside, ec)) {
        return platform::PathToUtf8(beside);
    }
    const fs::path folder = platform::PathFromUtf8(appData) / "Tunecrate";
    fs::create_directories(folder, ec);
    return platform::PathToUtf8(folder / AppSettings::kFileName);
}

}  // namespace win
