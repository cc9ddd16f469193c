// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TranslationLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/UiResources.h"

namespace {

const QString kProgramFile = QStringLiteral("tunecrate");
const QString kEmbeddedDir = QStringLiteral(":/i18n");

}  // namespace

TranslationLoader::TranslationLoader() = default;

TranslationLoader::~TranslationLoader() {
    Unload();
}

QString TranslationLoader::InstalledTranslationsDir() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                           QStringLiteral(TUNECRATE_TRANSLATIONS_RELDIR));
}

bool TranslationLoader::Load(const QLocale& locale) {
    Unload();
    InitUiResources();
    auto program = std::make_unique<QTranslator>();
    if (!program->load(locale, kProgramFile, QStringLiteral("_"), InstalledTranslationsDir()) &&
        !program->load(locale, kProgramFile, QStringLiteral("_"), kEmbeddedDir)) {
        return false;
    }
    QCoreApplication::installTranslator(program.get());
    program_ = std::move(program);

    // Qt's standard dialogs (the folder picker) in the same language, where Qt has it.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt.get());
        qt_ = std::move(qt);
    }
    return true;
}

void TranslationLoader::Unload() {
    for (std::unique_ptr<QTranslator>* translator : {&program_, &qt_}) {
        if (*translator) {
            QCoreApplication::removeTranslator(translator->get());
            translator->reset();
        }
    }
}
