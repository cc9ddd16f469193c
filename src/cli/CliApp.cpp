// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliApp.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <string>
#include <utility>

#include "cli/AddCommand.h"
#include "cli/DrivesCommand.h"
#include "cli/ExtCommand.h"
#include "cli/FillCommand.h"
#include "cli/ListCommand.h"
#include "cli/OrderCommand.h"
#include "cli/RemoveCommand.h"
#include "cli/StatusCommand.h"
#include "cli/WatchCommand.h"
#include "platform/process/Console.h"
#include "platform/process/VersionNotice.h"
#include "platform/volumes/VolumeQueries.h"
#include "storage/AppSettings.h"

CliApp::CliApp(std::istream& in, std::ostream& out, std::ostream& err, bool interactive)
    : in_(in), out_(out), err_(err), interactive_(interactive) {
    commands_.push_back(std::make_unique<AddCommand>());
    commands_.push_back(std::make_unique<RemoveCommand>());
    commands_.push_back(std::make_unique<ListCommand>());
    commands_.push_back(std::make_unique<StatusCommand>());
    commands_.push_back(std::make_unique<FillCommand>());
    commands_.push_back(std::make_unique<OrderCommand>());
    commands_.push_back(std::make_unique<DrivesCommand>(platform::VolumeQueries::System()));
    commands_.push_back(std::make_unique<ExtCommand>());
    commands_.push_back(std::make_unique<WatchCommand>(platform::VolumeQueries::System()));
}

CliApp::~CliApp() = default;

int CliApp::Run(int argc, const char* const* argv) {
    const std::optional<int> decided = Parse(argc, argv);
    return decided ? *decided : Execute();
}

std::optional<int> CliApp::Parse(int argc, const char* const* argv) {
    parser_ = std::make_unique<CLI::App>(
        "Fills a music stick with music drawn at random from a collection, remembering "
        "what already went over.",
        "tunecrate-cli");
    CLI::App& app = *parser_;
    app.require_subcommand(1);
    app.fallthrough();
    app.add_option("--settings", settingsPath_,
                   "The settings file (default: " + AppSettings::DefaultSettingsPath() + ")");
    app.set_version_flag("--version", platform::VersionNotice("tunecrate-cli"));

    subcommands_.clear();
    for (auto& command : commands_) {
        subcommands_.emplace_back(command->Register(app), command.get());
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e, out_, err_);  // --help, --version
    } catch (const CLI::ParseError& e) {
        const std::string unknown = UnknownCommand(argc, argv);
        if (unknown.empty()) {
            app.exit(e, out_, err_);
        } else {
            err_ << "error: unknown command \"" << unknown << "\"; the commands are";
            for (const auto& sub : subcommands_) {
                err_ << " " << sub.first->get_name();
            }
            err_ << "\nRun with --help for more information.\n";
        }
        return kExitUsage;
    }
    return std::nullopt;
}

std::string CliApp::UnknownCommand(int argc, const char* const* argv) const {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--settings") {
            ++i;  // its value
        } else if (!arg.empty() && arg[0] != '-') {
            for (const auto& sub : subcommands_) {
                if (sub.first->get_name() == arg) {
                    return std::string();
                }
            }
            return arg;
        }
    }
    return std::string();
}

int CliApp::Execute() {
    CliContext context{in_, out_, err_, settingsPath_, interactive_};
    for (auto& [sub, command] : subcommands_) {
        if (sub->parsed()) {
            int exitCode = kExitFailed;
            try {
                exitCode = command->Execute(context);
            } catch (const std::exception& e) {
                err_ << "error: " << e.what() << "\n";
            }
            // Whatever the command did stays done; a caller must still learn that its output
            // is incomplete.
            if (!out_.flush() && !(command->IsListing() && platform::OutputReaderGone())) {
                err_ << "error: the output could not be written\n";
                exitCode = kExitFailed;
            }
            return exitCode;
        }
    }
    return kExitUsage;
}
