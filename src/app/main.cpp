#include <QApplication>

#include "app/CTunecrateApp.h"
#include "ui/TranslationLoader.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vornhollow"));
    QApplication::setApplicationName(QStringLiteral("Tunecrate"));
    QApplication::setApplicationVersion(QStringLiteral(TUNECRATE_VERSION));

    // German texts where the user's locale asks for them.
    TranslationLoader translations;
    translations.Load();

    CTunecrateApp app;
    int exitCode = 0;
    if (!app.InitInstance(QApplication::arguments(), exitCode)) {
        return exitCode;
    }
    return QApplication::exec();
}
