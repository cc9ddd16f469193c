#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/CTunecrateApp.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vornhollow"));
    QApplication::setApplicationName(QStringLiteral("Tunecrate"));
    QApplication::setApplicationVersion(QStringLiteral(TUNECRATE_VERSION));

    CTunecrateApp app;
    int exitCode = 0;
    if (!app.InitInstance(QApplication::arguments(), exitCode)) {
        return exitCode;
    }
    return QApplication::exec();
}
