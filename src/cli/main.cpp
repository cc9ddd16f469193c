// tunecrate-cli: fills a music stick from a collection, from the terminal.
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

#include "storage/AppSettings.h"

int main(int argc, char** argv) {
    CLI::App app{"Tunecrate: fills a music stick with music not heard yet.", "tunecrate-cli"};
    std::string settingsPath;
    app.add_option("--settings", settingsPath,
                   "The settings file (default: " + AppSettings::DefaultSettingsPath() + ")");
    app.set_version_flag("--version", std::string("tunecrate-cli ") + TUNECRATE_VERSION);
    CLI11_PARSE(app, argc, argv);
    std::cout << app.help();
    return 0;
}
