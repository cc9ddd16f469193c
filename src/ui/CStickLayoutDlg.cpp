// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CStickLayoutDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QSpinBox>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>

#include "storage/AppSettings.h"

CStickLayoutDlg::CStickLayoutDlg(AppSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(tr("Stick Layout"));
    // Labels on the left, controls beside them; below each control, in a quieter colour and
    // wrapped to the width of the dialog, what it is for.
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    int row = 0;
    int labelWidth = 0;
    int helpWidth = 0;
    const auto addRow = [&](QWidget* control, const QString& label, const QString& explanation) {
        if (!label.isEmpty()) {
            auto* name = new QLabel(label, this);
            name->setBuddy(control);
            grid->addWidget(name, row, 0);
            labelWidth = std::max(labelWidth, name->sizeHint().width());
        }
        grid->addWidget(control, row++, 1, Qt::AlignLeft);
        auto* help = new QLabel(explanation, this);
        help->setForegroundRole(QPalette::PlaceholderText);
        help->setWordWrap(true);
        help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        help->setContentsMargins(0, 0, 0, help->fontMetrics().height() / 2);
        grid->addWidget(help, row++, 1);
        helpWidth = std::max(helpWidth, help->fontMetrics().horizontalAdvance(explanation));
    };

    perFolder_ = new QSpinBox(this);
    perFolder_->setObjectName(QStringLiteral("perFolder"));
    perFolder_->setRange(0, static_cast<int>(AppSettings::kMaxPerFolder));
    perFolder_->setSpecialValueText(tr("all in the root"));
    perFolder_->setValue(static_cast<int>(settings.GetPerFolder()));
    addRow(perFolder_, tr("Songs per &folder:"),
           tr("Numbered folders 01, 02, ... with at most this many songs, for car stereos."));

    number_ = new QCheckBox(tr("&Number the songs"), this);
    number_->setObjectName(QStringLiteral("number"));
    number_->setChecked(settings.GetNumberFiles());
    addRow(number_, QString(),
           tr("Names start with 001, 002, ... so players that sort by name keep the order."));

    playlist_ = new QCheckBox(tr("Write a &playlist"), this);
    playlist_->setObjectName(QStringLiteral("playlist"));
    playlist_->setChecked(settings.GetPlaylist());
    addRow(playlist_, QString(),
           tr("Tunecrate.m3u8 lists the songs on the stick in the order they were copied."));

    balance_ = new QComboBox(this);
    balance_->setObjectName(QStringLiteral("balance"));
    balance_->addItems({tr("any song"), tr("a folder first")});
    balance_->setCurrentIndex(settings.GetBalanceFolders() ? 1 : 0);
    addRow(balance_, tr("&Draw:"),
           tr("A folder first: a big box set gets no more turns than a single album."));

    // What the player can show: a fill stops there.
    const auto limitBox = [this](const char* name, unsigned value) {
        auto* box = new QSpinBox(this);
        box->setObjectName(QLatin1String(name));
        box->setRange(0, static_cast<int>(AppSettings::kMaxPerFolder));
        box->setSpecialValueText(tr("no limit"));
        box->setValue(static_cast<int>(value));
        return box;
    };
    folderLimit_ = limitBox("folderLimit", settings.GetFolderLimit());
    addRow(folderLimit_, tr("Player's most &songs in a folder:"),
           tr("Often 255; the root counts too, and songs per folder stay below it."));
    maxFolders_ = limitBox("maxFolders", settings.GetMaxFolders());
    addRow(maxFolders_, tr("Player's most f&olders:"), tr("Often 254 or 700."));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CStickLayoutDlg::OnOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addWidget(buttons);
    // At the start each explanation fits on one line, where the screen has room for that.
    const QMargins margins = layout->contentsMargins();
    const int width =
        std::max(layout->sizeHint().width(),
                 labelWidth + grid->horizontalSpacing() + margins.left() + margins.right() +
                     std::min(helpWidth + fontMetrics().averageCharWidth(),
                              90 * fontMetrics().averageCharWidth()));
    resize(width, layout->totalHeightForWidth(width));
}

void CStickLayoutDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // Qt does not hold a window to the height its wrapped texts need at its width: a narrower
    // dialog grows downwards, so that no explanation is cut off.
    setMinimumHeight(layout()->totalHeightForWidth(width()));
}

void CStickLayoutDlg::OnOK() {
    settings_.SetPerFolder(static_cast<unsigned>(perFolder_->value()));
    settings_.SetNumberFiles(number_->isChecked());
    settings_.SetPlaylist(playlist_->isChecked());
    settings_.SetBalanceFolders(balance_->currentIndex() == 1);
    settings_.SetFolderLimit(static_cast<unsigned>(folderLimit_->value()));
    settings_.SetMaxFolders(static_cast<unsigned>(maxFolders_->value()));
    accept();
}

QString CStickLayoutDlg::Summary(const AppSettings& settings) {
    QStringList parts;
    parts << (settings.GetPerFolder() == 0 ? tr("all in the root")
                                           : tr("%1 per folder").arg(settings.GetPerFolder()));
    if (settings.GetNumberFiles()) {
        parts << tr("numbered");
    }
    if (settings.GetPlaylist()) {
        parts << tr("playlist");
    }
    if (settings.GetBalanceFolders()) {
        parts << tr("folder first");
    }
    return parts.join(QStringLiteral(", "));
}
