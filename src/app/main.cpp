// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstring>
#include <memory>

#include "app/CTunecrateApp.h"
#include "ui/TranslationLoader.h"

namespace {

// Help and version are text on the terminal: they must work where no display can be opened.
bool AsksOnlyForText(int argc, char** argv) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        for (const char* option : {"-h", "--help", "--help-all", "-?", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> application =
        AsksOnlyForText(argc, argv) ? std::make_unique<QCoreApplication>(argc, argv)
                                    : std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vornhollow"));
    QCoreApplication::setApplicationName(QStringLiteral("Tunecrate"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TUNECRATE_VERSION));

    // German texts where the user's locale asks for them.
    TranslationLoader translations;
    translations.Load();

    CTunecrateApp app;
    int exitCode = 0;
    if (!app.InitInstance(QCoreApplication::arguments(), exitCode)) {
        return exitCode;
    }
    return QCoreApplication::exec();
}
