#pragma once

#include <QString>
#include <QtGlobal>

class StickContents;

// Counts and sizes in the user's language: the separators come from the translation ("1,204" and
// "3.2 GB" in English, "1.204" and "3,2 GB" in German), so they follow the language of the texts
// around them rather than the locale the program happens to run under.
namespace NumberText {

QString Grouped(quint64 number);
// "3.2 GB" from one GiB on, else whole megabytes: "1,019 MB".
QString Size(quint64 bytes);
// "1,204 files, 3.2 GB, 37 of them not music".
QString Contents(const StickContents& contents);

}  // namespace NumberText
