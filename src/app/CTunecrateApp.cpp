// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CTunecrateApp.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

#include "app/CMainFrame.h"
#include "platform/process/VersionNotice.h"

CTunecrateApp::CTunecrateApp() = default;

CTunecrateApp::~CTunecrateApp() = default;

bool CTunecrateApp::InitInstance(const QStringList& arguments, int& exitCode) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("CTunecrateApp",
                                    "Fills a USB music stick with music drawn at "
                                    "random from your collection."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption settingsOption(
        QStringLiteral("settings"),
        QCoreApplication::translate("CTunecrateApp", "Use FILE as the program settings file."),
        QStringLiteral("FILE"));
    parser.addOption(settingsOption);
    parser.addPositionalArgument(
        QStringLiteral("collection"),
        QCoreApplication::translate("CTunecrateApp", "A collection file to open."),
        QStringLiteral("[collection]"));

    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        exitCode = 2;
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::printf("%s", qPrintable(parser.helpText()));
        exitCode = 0;
        return false;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("%s", platform::VersionNotice("Tunecrate").c_str());
        exitCode = 0;
        return false;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QCoreApplication::translate(
                         "CTunecrateApp", "Only one collection file can be opened.")));
        exitCode = 2;
        return false;
    }
    // A collection named on the command line must exist: a mistyped name would otherwise become
    // the remembered collection.
    QString collection;
    if (!positional.isEmpty()) {
        collection = QFileInfo(positional.first()).absoluteFilePath();
        if (!QFileInfo(collection).isFile()) {
            std::fprintf(stderr, "%s\n",
                         qPrintable(QCoreApplication::translate("CTunecrateApp",
                                                                "No such collection file: %1")
                                        .arg(positional.first())));
            exitCode = 1;
            return false;
        }
    }

    frame_ = std::make_unique<CMainFrame>(parser.value(settingsOption).toStdString());
    if (!frame_->Create()) {
        exitCode = 1;
        return false;
    }
    if (!collection.isEmpty()) {
        frame_->OpenCollection(collection);
    }
    frame_->show();
    exitCode = 0;
    return true;
}
