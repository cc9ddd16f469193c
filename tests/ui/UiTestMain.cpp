// SPDX-License-Identifier: GPL-3.0-or-later
// GoogleTest main for the widget tests: one QApplication for all tests, on Qt's offscreen
// platform unless another one is asked for (so test discovery works without a display).
#include "UiTestSupport.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The texts under test are the English ones, whatever the machine's language.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // The offscreen platform reports each window-manager request it cannot carry out; those lines
    // say nothing about the program and are left out of the test output.
    static QtMessageHandler standard = nullptr;
    standard = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("This plugin does not support"))) {
                standard(type, context, message);
            }
        });
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
