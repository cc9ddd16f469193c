// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UserMessage.h"

#include <array>
#include <utility>

// Marks the templates for Qt's translation tools, which read this file (the GUI's
// update_translations target); here it is only the text.
#define QT_TRANSLATE_NOOP(context, text) text

namespace platform {

namespace {

using Id = UserMessage::Id;

struct Entry {
    Id id;
    const char* text;
};

// Every id's English template, in the order of the ids.
constexpr Entry kTemplates[] = {
    {Id::kNone, ""},
    {Id::kSystemText, "%1"},

    {Id::kDeleting, QT_TRANSLATE_NOOP("UserMessage", "Deleting old music files")},
    {Id::kCopying, QT_TRANSLATE_NOOP("UserMessage", "Copying: %1")},
    {Id::kFinished, QT_TRANSLATE_NOOP("UserMessage", "Finished copying")},
    {Id::kIndexError, QT_TRANSLATE_NOOP("UserMessage", "Index error!")},
    {Id::kNoStick, QT_TRANSLATE_NOOP("UserMessage", "No stick drive chosen")},
    {Id::kFreeSpace, QT_TRANSLATE_NOOP("UserMessage", "%1 MB free")},
    {Id::kStickNotFound, QT_TRANSLATE_NOOP("UserMessage", "Stick not found: %1")},
    {Id::kNotDriveRoot, QT_TRANSLATE_NOOP("UserMessage", "Not the root of a mounted drive: %1")},
    {Id::kFreeSpaceUnreadable,
     QT_TRANSLATE_NOOP("UserMessage", "Cannot read the free space of %1")},
    {Id::kStickGone, QT_TRANSLATE_NOOP("UserMessage", "The stick is gone: %1")},
    {Id::kFolderFull, QT_TRANSLATE_NOOP("UserMessage", "The stick's folder is full: %1")},
    {Id::kFolderNotMade, QT_TRANSLATE_NOOP("UserMessage", "Cannot make the folder %1: %2")},
    {Id::kCopyingStopped, QT_TRANSLATE_NOOP("UserMessage", "Copying stopped: %1")},
    {Id::kNameRefused,
     QT_TRANSLATE_NOOP("UserMessage", "the name is taken or not allowed on the stick: %1")},
    {Id::kNameTaken, QT_TRANSLATE_NOOP("UserMessage", "the name is taken on the stick: %1")},
    {Id::kNotWritten, QT_TRANSLATE_NOOP("UserMessage", "Cannot write %1")},
    {Id::kNotIntoMusicFolder,
     QT_TRANSLATE_NOOP("UserMessage", "Will not copy into %1: it is the music folder %2")},
    {Id::kNotAboveMusicFolder,
     QT_TRANSLATE_NOOP("UserMessage", "Will not copy into %1: it holds the music folder %2")},
    {Id::kNotInsideMusicFolder,
     QT_TRANSLATE_NOOP("UserMessage", "Will not copy into %1: it lies in the music folder %2")},
    {Id::kNotSystemRoot,
     QT_TRANSLATE_NOOP("UserMessage", "Will not delete the files of the system's root folder %1")},
    {Id::kNotWipeHolding,
     QT_TRANSLATE_NOOP("UserMessage", "Will not delete the files on %1: it holds %2")},
    {Id::kRunStopped, QT_TRANSLATE_NOOP("UserMessage", "Stopped on request")},

    {Id::kEndStickFull, QT_TRANSLATE_NOOP("UserMessage", "the stick is full")},
    {Id::kEndLimitReached, QT_TRANSLATE_NOOP("UserMessage", "the size limit is reached")},
    {Id::kEndDeviceLimit, QT_TRANSLATE_NOOP("UserMessage", "the device's folder limit is reached")},
    {Id::kEndAllHandled,
     QT_TRANSLATE_NOOP("UserMessage", "every song of the collection has been handled")},
    {Id::kEndStopped, QT_TRANSLATE_NOOP("UserMessage", "stopped on request")},
    {Id::kNewCycle, QT_TRANSLATE_NOOP("UserMessage", "a new cycle started")},
    {Id::kOneSong, QT_TRANSLATE_NOOP("UserMessage", "1 song")},
    {Id::kSongs, QT_TRANSLATE_NOOP("UserMessage", "%1 songs")},
    {Id::kFinishedRun, QT_TRANSLATE_NOOP("UserMessage", "Finished copying: %1, %2 \u2014 %3")},
    {Id::kStoppedRun, QT_TRANSLATE_NOOP("UserMessage", "Stopped on request after %1")},
    {Id::kAllOnSticks,
     QT_TRANSLATE_NOOP("UserMessage",
                       "Every song of the collection is on a stick now \u2014 a new round starts "
                       "next time")},
    {Id::kSomeFailed, QT_TRANSLATE_NOOP("UserMessage", "%2 (%1 could not be copied)")},
    {Id::kWithNewCycle, QT_TRANSLATE_NOOP("UserMessage", "%1; a new cycle started")},
    {Id::kNoneArrived,
     QT_TRANSLATE_NOOP("UserMessage", "none of the %1 songs drawn reached the stick")},
    {Id::kNotSavedAfterRun, QT_TRANSLATE_NOOP("UserMessage", "%1; the collection was not saved")},
    {Id::kPlaylistNotWritten, QT_TRANSLATE_NOOP("UserMessage", "the playlist was not written: %1")},
    {Id::kNotInPlayOrder,
     QT_TRANSLATE_NOOP("UserMessage", "the songs were not put in play order: %1")},
    {Id::kOrderDone, QT_TRANSLATE_NOOP("UserMessage", "%2 songs put in play order (folders: %1)")},
    {Id::kOrderNothing, QT_TRANSLATE_NOOP("UserMessage", "No songs on %1 to put in order")},
    {Id::kOrderFailed,
     QT_TRANSLATE_NOOP("UserMessage", "The stick could not be put in play order: %1")},
    {Id::kSizeKilobytes, QT_TRANSLATE_NOOP("UserMessage", "%1 KB")},
    {Id::kSizeMegabytes, QT_TRANSLATE_NOOP("UserMessage", "%1 MB")},
    {Id::kSizeGigabytes, QT_TRANSLATE_NOOP("UserMessage", "%1 GB")},

    {Id::kWipeQuestion, QT_TRANSLATE_NOOP("UserMessage", "Delete everything on %1?")},
    {Id::kWipeTarget, QT_TRANSLATE_NOOP("UserMessage", "%1 (%2)")},
    {Id::kWipeDetails, QT_TRANSLATE_NOOP("UserMessage", "Drive type: %1\nOn it: %2")},
    {Id::kOneFile, QT_TRANSLATE_NOOP("UserMessage", "1 file, %1")},
    {Id::kFiles, QT_TRANSLATE_NOOP("UserMessage", "%1 files, %2")},
    {Id::kNotMusic, QT_TRANSLATE_NOOP("UserMessage", "%2, %1 of them not music")},
    {Id::kPlainFolder, QT_TRANSLATE_NOOP("UserMessage", "a folder, not a drive of its own")},

    {Id::kDriveUnknown, QT_TRANSLATE_NOOP("UserMessage", "Drive type cannot be determined.")},
    {Id::kDriveNoRoot, QT_TRANSLATE_NOOP("UserMessage", "Root directory does not exist.")},
    {Id::kDriveFloppy, QT_TRANSLATE_NOOP("UserMessage", "Floppy Disc Drive")},
    {Id::kDriveRemovable, QT_TRANSLATE_NOOP("UserMessage", "Removable Drive")},
    {Id::kDriveFixed, QT_TRANSLATE_NOOP("UserMessage", "Hard Disc")},
    {Id::kDriveRemote, QT_TRANSLATE_NOOP("UserMessage", "Remote (Network) Drive.")},
    {Id::kDriveOptical, QT_TRANSLATE_NOOP("UserMessage", "CD-/DVD-ROM drive")},
    {Id::kDriveRam, QT_TRANSLATE_NOOP("UserMessage", "RAM disk")},
    {Id::kDriveDescription,
     QT_TRANSLATE_NOOP("UserMessage", "%3\n\nBytes total: %1\nBytes free: %2")},

    {Id::kDirectoryNotFound, QT_TRANSLATE_NOOP("UserMessage", "Directory not found: %1")},
    {Id::kSaveChanges,
     QT_TRANSLATE_NOOP("UserMessage", "Your music selection has been modified.\nSave changes?")},
    {Id::kInUse, QT_TRANSLATE_NOOP("UserMessage",
                                   "The music selection %1 is in use by another program (a fill "
                                   "may be running). Try again when it has finished.")},
    {Id::kNotLocked,
     QT_TRANSLATE_NOOP("UserMessage", "The music selection could not be locked.\n%1: %2")},
    {Id::kNotSaved,
     QT_TRANSLATE_NOOP("UserMessage", "The music selection could not be saved.\n%1")},
    {Id::kNotRead,
     QT_TRANSLATE_NOOP("UserMessage", "The music selection could not be read.\n%1: %2")},
    {Id::kNotACollection,
     QT_TRANSLATE_NOOP("UserMessage",
                       "%1\nis not a music selection file. Nothing was loaded from it.")},
    {Id::kPathRefused,
     QT_TRANSLATE_NOOP("UserMessage",
                       "This directory cannot be kept in a music selection file: %2.\n%1")},
    {Id::kPathEmpty, QT_TRANSLATE_NOOP("UserMessage", "its path is empty")},
    {Id::kPathBlank, QT_TRANSLATE_NOOP("UserMessage", "its path begins or ends with a blank")},
    {Id::kPathControl,
     QT_TRANSLATE_NOOP("UserMessage", "its path holds a control character such as a line break")},
    {Id::kPathTooLong, QT_TRANSLATE_NOOP("UserMessage", "its path is longer than %1 bytes")},
    {Id::kPathNotUtf8, QT_TRANSLATE_NOOP("UserMessage", "its path is not valid UTF-8 text")},

    {Id::kEjected, QT_TRANSLATE_NOOP("UserMessage", "Ejected %1: the stick can be pulled out")},
    {Id::kUnmounted,
     QT_TRANSLATE_NOOP(
         "UserMessage",
         "Unmounted %1; its drive cannot be powered off, but it can be pulled out now")},
    {Id::kUnmountedPowerFailed,
     QT_TRANSLATE_NOOP("UserMessage",
                       "Unmounted %1, but powering the drive off failed (%2); it "
                       "can be pulled out now")},
    {Id::kUnmountedByUmount,
     QT_TRANSLATE_NOOP("UserMessage",
                       "Unmounted %1 with umount (%2, so the drive was not powered off)")},
    {Id::kNotEjectedNotMounted,
     QT_TRANSLATE_NOOP("UserMessage", "Not ejected: %1 is not the root of a mounted volume")},
    {Id::kNotEjectedNoDisk,
     QT_TRANSLATE_NOOP("UserMessage", "Not ejected: %1 is not on a disk (%2)")},
    {Id::kNotEjectedNoRoot,
     QT_TRANSLATE_NOOP("UserMessage",
                       "Not ejected: %2; unmount %1 with the file manager, or run "
                       "as root to unmount it")},
    {Id::kNotEjectedUmountFailed,
     QT_TRANSLATE_NOOP("UserMessage", "Not ejected: %2, and umount %1 failed (is it busy?)")},
    {Id::kNotEjectedUnknownDevice,
     QT_TRANSLATE_NOOP("UserMessage", "Not ejected: UDisks2 does not know %1: %2")},
    {Id::kNotEjectedDriveUnreadable,
     QT_TRANSLATE_NOOP("UserMessage", "Not ejected: the drive of %1 cannot be read: %2")},
    {Id::kNotEjectedFixed, QT_TRANSLATE_NOOP("UserMessage", "Not ejected: %1 is on a fixed disc")},
    {Id::kNotEjectedBusy,
     QT_TRANSLATE_NOOP("UserMessage",
                       "Not ejected: %1 is busy (a program still uses files on it)")},
    {Id::kNotEjectedUnmountFailed,
     QT_TRANSLATE_NOOP("UserMessage", "Not ejected: unmounting %1 failed: %2")},
    {Id::kNotEjectedNotRemovable,
     QT_TRANSLATE_NOOP("UserMessage",
                       "Not ejected: %2, and %1 is not a removable drive of its own (a fixed "
                       "disc, a loop device or a folder mounted elsewhere is never unmounted)")},
    {Id::kNoSystemBus, QT_TRANSLATE_NOOP("UserMessage", "the system bus cannot be reached")},
    {Id::kNoUdisks, QT_TRANSLATE_NOOP("UserMessage", "UDisks2 is not available")},

    {Id::kCopyAbandoned, QT_TRANSLATE_NOOP("UserMessage", "%1: copy abandoned")},
    {Id::kNoDataFor, QT_TRANSLATE_NOOP("UserMessage", "%1: no data for %2 s")},
    {Id::kNotRegularFileAt, QT_TRANSLATE_NOOP("UserMessage", "%1: not a regular file")},
    {Id::kNotRegularFile, QT_TRANSLATE_NOOP("UserMessage", "not a regular file")},
    {Id::kFileTooLarge, QT_TRANSLATE_NOOP("UserMessage", "the file is larger than %1 MiB")},
    {Id::kNoFileName, QT_TRANSLATE_NOOP("UserMessage", "no file name given")},
    {Id::kFileReadOnly, QT_TRANSLATE_NOOP("UserMessage", "%1: the file is read-only")},
    {Id::kIsDirectory, QT_TRANSLATE_NOOP("UserMessage", "%1: is a directory")},
    {Id::kFileProblem, QT_TRANSLATE_NOOP("UserMessage", "%1: %2")},

    {Id::kNotSettingsFile, QT_TRANSLATE_NOOP("UserMessage", "%1 is not a settings file: %2")},
    {Id::kNotTextFile, QT_TRANSLATE_NOOP("UserMessage", "it is not a text file")},
    {Id::kHoldsSection, QT_TRANSLATE_NOOP("UserMessage", "it holds the section [%1]")},

    {Id::kSizeNotANumber,
     QT_TRANSLATE_NOOP("UserMessage",
                       "invalid size '%1': expected a number of bytes, optionally with K, M or G")},
    {Id::kSizeUnknownUnit,
     QT_TRANSLATE_NOOP("UserMessage", "invalid size '%1': unknown unit (use K, M or G)")},
    {Id::kSizeTooLarge, QT_TRANSLATE_NOOP("UserMessage", "invalid size '%1': too large")},
    {Id::kSizeZero,
     QT_TRANSLATE_NOOP("UserMessage", "invalid size '%1': must be greater than zero")},
};

constexpr bool InIdOrder() {
    for (size_t i = 0; i < std::size(kTemplates); ++i) {
        if (static_cast<size_t>(kTemplates[i].id) != i) {
            return false;
        }
    }
    return std::size(kTemplates) == static_cast<size_t>(Id::kCount);
}
static_assert(InIdOrder(), "every id needs its template, in the order of the ids");

}  // namespace

UserMessage::UserMessage(Id id, std::vector<std::string> args) : id_(id), args_(std::move(args)) {}

UserMessage::UserMessage(Id id, std::vector<std::string> args, UserMessage cause)
    : id_(id), args_(std::move(args)) {
    cause_.push_back(std::move(cause));
}

UserMessage::UserMessage(Id id, std::vector<std::string> args, std::vector<UserMessage> parts)
    : id_(id), args_(std::move(args)), cause_(std::move(parts)) {}

UserMessage UserMessage::System(std::string text) {
    return UserMessage(Id::kSystemText, {std::move(text)});
}

const char* UserMessage::Template(Id id) {
    const auto index = static_cast<size_t>(id);
    return index < std::size(kTemplates) ? kTemplates[index].text : "";
}

std::string UserMessage::Text() const {
    return Format([](Id id) { return std::string(Template(id)); });
}

std::string UserMessage::Format(const std::function<std::string(Id)>& templateOf) const {
    std::vector<std::string> args = args_;
    for (const UserMessage& part : cause_) {
        args.push_back(part.Format(templateOf));
    }
    return Fill(templateOf(id_), args);
}

std::string UserMessage::Fill(const std::string& pattern, const std::vector<std::string>& args) {
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const size_t number = next >= '1' && next <= '9' ? size_t(next - '0') : 0;
        if (pattern[i] == '%' && number >= 1 && number <= args.size()) {
            text += args[number - 1];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

bool UserMessage::operator==(const UserMessage& other) const {
    return id_ == other.id_ && args_ == other.args_ && cause_ == other.cause_;
}

}  // namespace platform
