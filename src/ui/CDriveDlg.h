// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>
#include <vector>

#include "platform/volumes/VolumeQueries.h"
#include "transfer/DriveInfo.h"

class QLabel;

// The dialog in which the user picks the stick drive. It lists the drives a user fills with music
// (and the stick in use, wherever it is mounted), removable ones first, one per line with an icon
// for its kind, its label and free space, shows the description of the drive the user chose (by
// clicking it or moving to it with the keys), re-reads the drives on "Refresh" and hands the chosen
// drive's record to the caller. Several items can be selected; only the item the selection was
// started from (the selection mark) counts.
class CDriveDlg : public QDialog {
    Q_OBJECT

  public:
    // The images of the drive list, in this order.
    enum Image {
        kImageFloppy = 0,
        kImageFixed = 1,
        kImageOptical = 2,
        kImageRemovable = 3,
        kImageRamDisk = 4,
        kImageRemote = 5,
        kImageUnknown = 6,
        kImageCount = 7,
    };
    // Item data role holding an item's image number.
    static constexpr int kImageRole = Qt::UserRole + 1;

    explicit CDriveDlg(QWidget* parent = nullptr,
                       const platform::VolumeQueries& volumes = platform::VolumeQueries::System());
    ~CDriveDlg() override;

    // The chosen drive's record, or null when none is chosen. Valid until the next Refresh or
    // the end of the dialog; the caller copies what it needs.
    const DriveInfo* GetSelectedDrive() const;
    // The description shown for the chosen drive; empty until one is chosen.
    QString GetDescriptionText() const { return descriptionText_; }

    // The image for a drive: the floppy image for the letters A and B, else that of its type.
    static int ImageIndexFor(const DriveInfo& drive);
    // The picture of an image: the desktop theme's icon where it has one, else our own.
    static QIcon DriveImage(int image);

    // Lists the stick in use even where it is not among the drives for music, and chooses it.
    void SetCurrentStick(const std::string& root);
    // Chooses and selects the drive with this root, as a click on it would; none when the root
    // is not in the list.
    void SelectDrive(const std::string& root);
    // Re-reads the drives. The chosen drive stays chosen where its root is still listed; where it
    // is gone, no drive is chosen.
    void OnRefresh();

    // "MUSIC — /media/anna/MUSIC — 3.1 GB free": label (when there is one), root, free space
    // (when it can be read).
    static QString ItemText(const DriveInfo& drive);

  private:
    class DriveList;

    void CreateControls();
    // The first size: room for the longest line.
    void FitToDrives();
    void FillDriveList();
    void OnDriveSelect();

    const platform::VolumeQueries& volumes_;
    std::string currentStick_;
    DriveList* list_ = nullptr;
    QLabel* description_ = nullptr;
    QString descriptionText_;
    std::vector<DriveInfo> drives_;
    QIcon images_[kImageCount];
    int chosenIndex_ = -1;
};
