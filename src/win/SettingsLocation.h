#pragma once

#include <string>

// Where the Windows program keeps its settings: beside the executable when a Tunecrate.ini is
// there (a portable copy ships one), otherwise %APPDATA%\Tunecrate\Tunecrate.ini (the installed
// program), whose folder is made when missing.
namespace win {

std::string SettingsPath(const std::string& executablePath, const std::string& appData);

}  // namespace win
