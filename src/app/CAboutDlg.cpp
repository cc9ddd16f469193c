// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CAboutDlg.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "ui/DialogUnits.h"
#include "ui/FormFont.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Tunecrate"));
    setFont(FormFont());
    const DialogUnits du(font());
    setFixedSize(du.Size(235, 72));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/bitmaps/tunecrate-32.png")).pixmap(32, 32));
    icon->setGeometry(QRect(du.Rect(11, 17, 20, 20).topLeft(), QSize(32, 32)));

    // The version line is shown as it is: no mnemonic, no rich text.
    version_ = new QLabel(QStringLiteral("Tunecrate Version 1.1"), this);
    version_->setTextFormat(Qt::PlainText);
    version_->setGeometry(du.Rect(40, 10, 130, 8));

    auto* notice1 = new QLabel(tr("Copyright \u00a9 Vornhollow"), this);
    notice1->setGeometry(du.Rect(40, 25, 130, 8));
    auto* notice2 = new QLabel(tr("Fresh music for your stick."), this);
    notice2->setGeometry(du.Rect(40, 40, 130, 8));

    // The licence, with a link to its text.
    auto* licence = new QLabel(
        tr("Free software under the <a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">GNU "
           "GPL version 3 or later</a>."),
        this);
    licence->setTextFormat(Qt::RichText);
    licence->setOpenExternalLinks(true);
    licence->setGeometry(du.Rect(40, 55, 190, 8));

    ok_ = new QPushButton(tr("OK"), this);
    ok_->setGeometry(du.Rect(178, 7, 50, 14));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}
