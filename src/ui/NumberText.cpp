#include "ui/NumberText.h"

#include <QCoreApplication>

#include "transfer/StickContents.h"

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("NumberText", text);
}

}  // namespace

QString NumberText::Grouped(quint64 number) {
    //: The separator between groups of three digits: 1,204
    const QString separator = Tr(",");
    QString digits = QString::number(number);
    for (int i = digits.size() - 3; i > 0; i -= 3) {
        digits.insert(i, separator);
    }
    return digits;
}

QString NumberText::Size(quint64 bytes) {
    constexpr quint64 kGiB = quint64(1) << 30;
    if (bytes < kGiB) {
        return Tr("%1 MB").arg(Grouped(bytes >> 20));
    }
    const quint64 tenths = (bytes * 10 + kGiB / 2) / kGiB;
    //: The decimal point: 3.2 GB
    return Tr("%1 GB").arg(Grouped(tenths / 10) + Tr(".") + QString::number(tenths % 10));
}

QString NumberText::Contents(const StickContents& contents) {
    const QString size = Size(contents.Bytes());
    QString text = contents.Files() == 1 ? Tr("1 file, %1").arg(size)
                                         : Tr("%1 files, %2").arg(Grouped(contents.Files()), size);
    if (contents.NonMusic() > 0) {
        text += Tr(", %1 of them not music").arg(Grouped(contents.NonMusic()));
    }
    return text;
}
