// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CDriveDlg.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <iterator>

#include "ui/DriveTexts.h"
#include "ui/NumberText.h"
#include "ui/UiResources.h"

namespace {

// Image by drive type 0..6 (unknown, no root directory, removable, fixed, remote, optical, RAM).
constexpr int kImageOfType[] = {CDriveDlg::kImageUnknown,   CDriveDlg::kImageUnknown,
                                CDriveDlg::kImageRemovable, CDriveDlg::kImageFixed,
                                CDriveDlg::kImageRemote,    CDriveDlg::kImageOptical,
                                CDriveDlg::kImageRamDisk};

struct ImageSource {
    const char* file;           // our own picture in :/icons/drives/
    const char* themeNames[2];  // icon names of the freedesktop naming scheme, best first
};

// Standard themes have no RAM disk and no unknown drive; those always use our pictures.
constexpr ImageSource kImageSources[CDriveDlg::kImageCount] = {
    {"floppy", {"media-floppy", nullptr}},
    {"harddisc", {"drive-harddisk", nullptr}},
    {"optical", {"drive-optical", nullptr}},
    {"removable", {"drive-removable-media-usb", "drive-removable-media"}},
    {"ramdisk", {nullptr, nullptr}},
    {"network", {"folder-remote", "network-server"}},
    {"unknown", {nullptr, nullptr}},
};

}  // namespace

// The drive list keeps the selection mark the way the system's list control does: a click
// without Shift sets it to the clicked item, a key that moves the highlight without Shift sets it
// to the new item, Shift extends the selection from the mark and leaves it. Each click and each
// key reports to the dialog after the list has handled it.
class CDriveDlg::DriveList : public QListWidget {
  public:
    using QListWidget::QListWidget;

    std::function<void()> onSelect;

    int SelectionMark() const { return mark_; }
    // Selects one item and makes it the mark, as a click does.
    void SetMark(int row) {
        mark_ = row;
        setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        scrollToItem(item(row));
    }
    void ClearItems() {
        clear();
        mark_ = -1;
    }

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        QListWidget::mousePressEvent(event);
        const QModelIndex index = indexAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && index.isValid() &&
            (!(event->modifiers() & Qt::ShiftModifier) || mark_ < 0)) {
            mark_ = index.row();
        }
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        QListWidget::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && onSelect) {
            onSelect();
        }
    }

    void keyPressEvent(QKeyEvent* event) override {
        QListWidget::keyPressEvent(event);
        const QModelIndex current = currentIndex();
        if (!(event->modifiers() & Qt::ShiftModifier) && current.isValid() &&
            selectionModel()->isSelected(current)) {
            mark_ = current.row();
        }
        if (onSelect) {
            onSelect();
        }
    }

  private:
    int mark_ = -1;
};

CDriveDlg::CDriveDlg(QWidget* parent, const platform::VolumeQueries& volumes)
    : QDialog(parent), volumes_(volumes) {
    setWindowTitle(tr("Drives"));
    CreateControls();
    for (int i = 0; i < kImageCount; ++i) {
        images_[i] = DriveImage(i);
    }
    FillDriveList();
    FitToDrives();
}

CDriveDlg::~CDriveDlg() = default;

void CDriveDlg::CreateControls() {
    auto* prompt = new QLabel(tr("Please select your target drive."), this);

    list_ = new DriveList(this);
    list_->setObjectName("driveList");
    // One drive per line, with its label and free space.
    list_->setViewMode(QListView::ListMode);
    list_->setIconSize(QSize(16, 16));
    list_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->onSelect = [this] { OnDriveSelect(); };
    // A double click chooses the drive and closes the dialog, as OK would.
    connect(list_, &QAbstractItemView::doubleClicked, this, [this] {
        OnDriveSelect();
        if (chosenIndex_ >= 0) {
            accept();
        }
    });
    prompt->setBuddy(list_);

    // Room for the four lines of a description from the start, so that the list does not jump
    // when the first drive is chosen; a long type text may wrap.
    description_ = new QLabel(this);
    description_->setObjectName("description");
    description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description_->setTextFormat(Qt::PlainText);
    description_->setWordWrap(true);
    description_->setMinimumHeight(4 * description_->fontMetrics().lineSpacing());

    // The desktop's buttons, in its order and with its pictures, captioned from the program's
    // catalogue.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(tr("OK"));
    ok->setObjectName("okButton");
    ok->setDefault(true);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setText(tr("Cancel"));
    cancel->setObjectName("cancelButton");
    auto* refresh = buttons->addButton(tr("&Refresh"), QDialogButtonBox::ResetRole);
    refresh->setObjectName("refreshButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(refresh, &QPushButton::clicked, this, &CDriveDlg::OnRefresh);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(list_, 1);
    layout->addWidget(description_);
    layout->addWidget(buttons);
    // The focus starts on OK: Enter ends the dialog with the drive it opened on.
    ok->setFocus();
}

void CDriveDlg::FitToDrives() {
    // Wide enough at the start for the longest line, within reason, and for a few more lines.
    const int lines = list_->sizeHintForColumn(0) + 2 * list_->frameWidth() +
                      list_->verticalScrollBar()->sizeHint().width();
    const QMargins margins = layout()->contentsMargins();
    const int cap = 80 * fontMetrics().averageCharWidth();
    const int width =
        std::max(sizeHint().width(), std::min(lines + margins.left() + margins.right(), cap));
    resize(width, sizeHint().height() + 4 * fontMetrics().lineSpacing());
}

QString CDriveDlg::ItemText(const DriveInfo& drive) {
    QStringList parts;
    if (!drive.GetVolumeLabel().empty()) {
        parts << QString::fromStdString(drive.GetVolumeLabel());
    }
    parts << QString::fromStdString(drive.GetRootPath());
    if (drive.IsSpaceCurrent()) {
        parts << tr("%1 free").arg(NumberText::Size(drive.GetFreeBytes()));
    }
    return parts.join(QStringLiteral(" \u2014 "));
}

void CDriveDlg::SetCurrentStick(const std::string& root) {
    currentStick_ = root;
    list_->ClearItems();
    FillDriveList();
    SelectDrive(root);
}

void CDriveDlg::SelectDrive(const std::string& root) {
    chosenIndex_ = -1;
    descriptionText_.clear();
    list_->clearSelection();
    for (size_t i = 0; i < drives_.size(); ++i) {
        if (drives_[i].GetRootPath() == root) {
            chosenIndex_ = int(i);
            descriptionText_ = TranslatedDriveDescription(drives_[i]);
            list_->SetMark(chosenIndex_);
            break;
        }
    }
    if (!drives_.empty()) {  // an empty list keeps saying what to do
        description_->setText(descriptionText_);
    }
}

int CDriveDlg::ImageIndexFor(const DriveInfo& drive) {
    if (drive.IsFloppyLetter()) {
        return kImageFloppy;
    }
    const int type = static_cast<int>(drive.GetDriveType());
    return (type >= 0 && type < int(std::size(kImageOfType))) ? kImageOfType[type] : kImageUnknown;
}

QIcon CDriveDlg::DriveImage(int image) {
    if (image < 0 || image >= kImageCount) {
        return QIcon();
    }
    const ImageSource& source = kImageSources[image];
    for (const char* name : source.themeNames) {
        if (name != nullptr && QIcon::hasThemeIcon(QLatin1String(name))) {
            return QIcon::fromTheme(QLatin1String(name));
        }
    }
    InitUiResources();
    QIcon own;
    for (int size : {16, 32}) {
        own.addFile(QStringLiteral(":/icons/drives/%1-%2.png").arg(source.file).arg(size));
    }
    return own;
}

void CDriveDlg::FillDriveList() {
    drives_.clear();
    for (const std::string& root : DriveInfo::StickChoices(volumes_, currentStick_)) {
        DriveInfo drive(volumes_);
        drive.SetRootPath(root);
        drive.Refresh();
        drives_.push_back(drive);
    }
    // Removable drives, the likely sticks, first; otherwise in the system's order.
    std::stable_partition(drives_.begin(), drives_.end(), [](const DriveInfo& drive) {
        return drive.GetDriveType() == platform::DriveType::kRemovable;
    });
    for (const DriveInfo& drive : drives_) {
        const int image = ImageIndexFor(drive);
        auto* item = new QListWidgetItem(images_[image], ItemText(drive));
        item->setData(kImageRole, image);
        item->setToolTip(QString::fromStdString(drive.GetRootPath()));
        list_->addItem(item);
    }
    // An empty list says why and what to do.
    const QString none =
        tr("No drive for music is mounted. Plug the stick in, then press Refresh.");
    if (drives_.empty()) {
        description_->setText(none);
    } else if (description_->text() == none) {
        description_->clear();
    }
}

void CDriveDlg::OnDriveSelect() {
    const int mark = list_->SelectionMark();
    if (mark < 0 || mark >= int(drives_.size())) {
        return;
    }
    chosenIndex_ = mark;
    descriptionText_ = TranslatedDriveDescription(drives_[mark]);
    description_->setText(descriptionText_);
}

void CDriveDlg::OnRefresh() {
    // The choice is a drive, not a line: it stays with its root, or goes when the root has gone.
    const DriveInfo* chosen = GetSelectedDrive();
    const std::string root = chosen ? chosen->GetRootPath() : std::string();
    list_->ClearItems();
    FillDriveList();
    SelectDrive(root);
}

const DriveInfo* CDriveDlg::GetSelectedDrive() const {
    // After a refresh with fewer drives the chosen index can lie past the end: no drive then.
    if (chosenIndex_ < 0 || chosenIndex_ >= int(drives_.size())) {
        return nullptr;
    }
    return &drives_[chosenIndex_];
}
