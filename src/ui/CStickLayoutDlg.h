// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class AppSettings;
class QCheckBox;
class QComboBox;
class QResizeEvent;
class QSpinBox;

// Edits how a fill lays out the stick: songs per numbered folder, numbered names, the playlist
// draws balanced over the music folders and the player's folder limits, each with a line that says
// what it is for. "OK" stores the choices in the settings; Cancel, Escape and the close box leave
// them as they were.
class CStickLayoutDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CStickLayoutDlg(AppSettings& settings, QWidget* parent = nullptr);

    // The settings' layout in a few words, for the main form.
    static QString Summary(const AppSettings& settings);

    QSpinBox* PerFolderBox() const { return perFolder_; }
    QCheckBox* NumberCheck() const { return number_; }
    QCheckBox* PlaylistCheck() const { return playlist_; }
    QComboBox* BalanceBox() const { return balance_; }
    QSpinBox* FolderLimitBox() const { return folderLimit_; }
    QSpinBox* MaxFoldersBox() const { return maxFolders_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void OnOK();

    AppSettings& settings_;
    QSpinBox* perFolder_ = nullptr;
    QCheckBox* number_ = nullptr;
    QCheckBox* playlist_ = nullptr;
    QComboBox* balance_ = nullptr;
    QSpinBox* folderLimit_ = nullptr;
    QSpinBox* maxFolders_ = nullptr;
};
