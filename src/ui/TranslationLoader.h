// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <memory>

class QTranslator;

// Puts the program into the user's language: installs the program's translation for a locale,
// with Qt's own translation for the standard dialogs, and removes both again when destroyed.
// The program's texts are English; other languages come from translation files compiled into
// the program, or installed beside it (which take precedence).
class TranslationLoader {
  public:
    TranslationLoader();
    ~TranslationLoader();
    TranslationLoader(const TranslationLoader&) = delete;
    TranslationLoader& operator=(const TranslationLoader&) = delete;

    // True when a translation of the program for `locale` was found and installed; false for
    // English and for languages without one, which leave the texts as they are.
    bool Load(const QLocale& locale = QLocale());

    // Where installed translation files are looked for: share/tunecrate/translations beside the
    // program's bin folder.
    static QString InstalledTranslationsDir();

  private:
    void Unload();

    std::unique_ptr<QTranslator> program_;
    std::unique_ptr<QTranslator> qt_;
};
