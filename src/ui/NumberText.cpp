#include "ui/NumberText.h"

#include <QCoreApplication>

#include "transfer/StickContents.h"

QString NumberText::Grouped(quint64 number) {
    // The separator between groups of three digits: "," in English, "." in German.
    const QString separator = QCoreApplication::translate("NumberText", ",");
    QString digits = QString::number(number);
    for (int i = digits.size() - 3; i > 0; i -= 3) {
        digits.insert(i, separator);
    }
    return digits;
}

QString NumberText::Size(quint64 bytes) {
    constexpr quint64 kGiB = quint64(1) << 30;
    if (bytes < kGiB) {
        return QCoreApplication::translate("NumberText", "%1 MB").arg(Grouped(bytes >> 20));
    }
    // Tenths of a GiB, rounded; the decimal point is "." in English, "," in German.
    const quint64 tenths = (bytes * 10 + kGiB / 2) / kGiB;
    return QCoreApplication::translate("NumberText", "%1 GB")
        .arg(Grouped(tenths / 10) + QCoreApplication::translate("NumberText", ".") +
             QString::number(tenths % 10));
}

QString NumberText::Contents(const StickContents& contents) {
    const QString size = Size(contents.Bytes());
    QString text = contents.Files() == 1
                       ? QCoreApplication::translate("NumberText", "1 file, %1").arg(size)
                       : QCoreApplication::translate("NumberText", "%1 files, %2")
                             .arg(Grouped(contents.Files()), size);
    if (contents.NonMusic() > 0) {
        text += QCoreApplication::translate("NumberText", ", %1 of them not music")
                    .arg(Grouped(contents.NonMusic()));
    }
    return text;
}
