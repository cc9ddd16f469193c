// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CDriveDlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>
#include <functional>
#include <iterator>

#include "ui/ButtonText.h"
#include "ui/DialogUnits.h"
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
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    CreateControls();
    for (int i = 0; i < kImageCount; ++i) {
        images_[i] = DriveImage(i);
    }
    FillDriveList();
    // Wide enough at the start for the longest line, within reason.
    const int wanted = list_->sizeHintForColumn(0) + 2 * list_->frameWidth() + 24;
    const int extra = qBound(0, wanted - du_.X(109), du_.X(300));
    resize(minimumSize() + QSize(extra, du_.Y(40)));
}

CDriveDlg::~CDriveDlg() = default;

void CDriveDlg::CreateControls() {
    // Created in the order of the Tab key; OK comes first and so has the focus at the start.
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName("cancelButton");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* prompt = new QLabel(tr("Please select your target drive."), this);
    prompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);

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

    // The description has several lines; a long type text may wrap onto one more.
    description_ = new QLabel(this);
    description_->setObjectName("description");
    description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description_->setTextFormat(Qt::PlainText);
    description_->setWordWrap(true);

    auto* refresh = new QPushButton(tr("&Refresh"), this);
    refresh->setObjectName("refreshButton");
    refresh->setAutoDefault(false);
    connect(refresh, &QPushButton::clicked, this, &CDriveDlg::OnRefresh);

    du_ = DialogUnits(font());
    const int margin = ButtonTextMargin(ok);
    for (const QPushButton* button : {ok, cancel, refresh}) {
        du_.FitText(button->text(), 50, margin);
    }
    du_.FitText(prompt->text(), 111);
    ok_ = ok;
    cancel_ = cancel;
    refresh_ = refresh;
    prompt_ = prompt;
    // The described size is the smallest; the dialog can grow, the list with it.
    setMinimumSize(du_.Size(178, 161));
}

void CDriveDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const QSize extra = size() - du_.Size(178, 161);
    const QPoint right(extra.width(), 0);
    ok_->setGeometry(du_.Rect(121, 7, 50, 14).translated(right));
    cancel_->setGeometry(du_.Rect(121, 24, 50, 14).translated(right));
    refresh_->setGeometry(du_.Rect(121, 50, 50, 14).translated(right));
    prompt_->setGeometry(du_.Rect(7, 7, 111, 14).adjusted(0, 0, extra.width(), 0));
    list_->setGeometry(du_.Rect(7, 26, 109, 83).adjusted(0, 0, extra.width(), extra.height()));
    description_->setGeometry(
        du_.Rect(7, 114, 164, 40).translated(0, extra.height()).adjusted(0, 0, extra.width(), 0));
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
    description_->setText(descriptionText_);
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
    for (const std::string& root : volumes_.GetDriveRoots()) {
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
