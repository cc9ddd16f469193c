// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/OrderCommand.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/JsonText.h"
#include "run/PlayOrderRun.h"
#include "transfer/FileOperations.h"

CLI::App* OrderCommand::Register(CLI::App& app) {
    CLI::App* order = app.add_subcommand("order", "Put the songs on a stick on disc in play order");
    order->add_option("STICK", stick_, "The stick's mount point")->required();
    order->add_flag("--folder", folder_, "Allow a plain folder instead of a mounted volume");
    order->add_flag("--json", json_, "Print one JSON document");
    return order;
}

int OrderCommand::Execute(CliContext& context) {
    const FileOperations files;
    const run::PlayOrderRun run = run::PlayOrderRun::Run(stick_, folder_, files);
    if (json_) {
        nlohmann::json document{
            {"ending", run.EndingName()}, {"folders", run.Folders()}, {"songs", run.Songs()}};
        JsonText::Put(document, "stick", stick_);
        JsonText::Put(document, "message", run.Message().Text());
        context.out << JsonText::Dump(document);
    } else if (run.Succeeded()) {
        context.out << run.Message().Text() << "\n";
    } else {
        context.err << "error: " << run.Message().Text() << "\n";
    }
    return run.Succeeded() ? kExitOk : kExitFailed;
}
