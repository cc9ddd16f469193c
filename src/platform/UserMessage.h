// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

// A text for the user, kept as what it says (an id) and what it names (its arguments) until it is
// shown: the command line prints the English text, the GUI looks the same English template up
// in its translations. Arguments are names, paths, figures or the system's own words for an
// error; they are never translated.
//
// A message may carry a cause, a message of its own that fills the template's last placeholder
// ("Copying stopped: %1" with the reason why), translated along with it.
class UserMessage {
  public:
    enum class Id {
        kNone,        // no message
        kSystemText,  // "%1": words from the system or a file, shown as they are

        // The transfer job.
        kDeleting,
        kCopying,
        kFinished,
        kIndexError,
        kNoStick,
        kFreeSpace,
        kStickNotFound,
        kNotDriveRoot,
        kFreeSpaceUnreadable,
        kStickGone,
        kFolderFull,
        kFolderNotMade,
        kCopyingStopped,
        kNameRefused,
        kNameTaken,
        kNotWritten,
        kNotIntoMusicFolder,
        kNotAboveMusicFolder,
        kNotInsideMusicFolder,
        kNotSystemRoot,
        kNotWipeHolding,
        kRunStopped,

        // How a run ended, with its counts (the run layer's summary).
        kEndStickFull,
        kEndLimitReached,
        kEndDeviceLimit,
        kEndAllHandled,
        kEndStopped,
        kNewCycle,
        kOneSong,
        kSongs,
        kFinishedRun,
        kStoppedRun,
        kAllOnSticks,
        kSomeFailed,
        kWithNewCycle,
        kNoneArrived,
        kNotSavedAfterRun,
        kPlaylistNotWritten,
        kNotInPlayOrder,
        kOrderDone,
        kOrderNothing,
        kOrderFailed,
        kSizeKilobytes,
        kSizeMegabytes,
        kSizeGigabytes,

        // The question before a wipe.
        kWipeQuestion,
        kWipeTarget,
        kWipeDetails,
        kOneFile,
        kFiles,
        kNotMusic,
        kPlainFolder,

        // Drives.
        kDriveUnknown,
        kDriveNoRoot,
        kDriveFloppy,
        kDriveRemovable,
        kDriveFixed,
        kDriveRemote,
        kDriveOptical,
        kDriveRam,
        kDriveDescription,

        // The collection document.
        kDirectoryNotFound,
        kSaveChanges,
        kInUse,
        kNotLocked,
        kNotSaved,
        kNotRead,
        kNotACollection,
        kPathRefused,
        kPathEmpty,
        kPathBlank,
        kPathControl,
        kPathTooLong,
        kPathNotUtf8,

        // Ejecting the stick.
        kEjected,
        kUnmounted,
        kUnmountedPowerFailed,
        kUnmountedByUmount,
        kNotEjectedNotMounted,
        kNotEjectedNoDisk,
        kNotEjectedNoRoot,
        kNotEjectedUmountFailed,
        kNotEjectedUnknownDevice,
        kNotEjectedDriveUnreadable,
        kNotEjectedFixed,
        kNotEjectedBusy,
        kNotEjectedUnmountFailed,
        kNotEjectedNotRemovable,
        kNoSystemBus,
        kNoUdisks,

        // Reading, writing and copying files: the program's own reasons (the system's words for
        // an error travel as kSystemText).
        kCopyAbandoned,
        kNoDataFor,
        kNotRegularFileAt,
        kNotRegularFile,
        kFileTooLarge,
        kNoFileName,
        kFileReadOnly,
        kIsDirectory,
        kFileProblem,

        // The settings file.
        kNotSettingsFile,
        kNotTextFile,
        kHoldsSection,

        // Sizes typed on the command line.
        kSizeNotANumber,
        kSizeUnknownUnit,
        kSizeTooLarge,
        kSizeZero,

        kCount  // not a message: the number of ids
    };

    UserMessage() = default;
    explicit UserMessage(Id id, std::vector<std::string> args = {});
    UserMessage(Id id, std::vector<std::string> args, UserMessage cause);
    // A message made of messages: each part, translated, fills the placeholder after the
    // arguments' ones, in order ("Finished copying: %1, %2 — %3" from three parts).
    UserMessage(Id id, std::vector<std::string> args, std::vector<UserMessage> parts);
    // The system's own words, as they are.
    static UserMessage System(std::string text);

    Id GetId() const { return id_; }
    bool IsEmpty() const { return id_ == Id::kNone; }
    const std::vector<std::string>& GetArgs() const { return args_; }
    // The cause (the first part), or null.
    const UserMessage* GetCause() const { return cause_.empty() ? nullptr : &cause_.front(); }

    // The English text: the template with its arguments and cause filled in.
    std::string Text() const;
    // The text with each template (this message's and its cause's) taken from `templateOf`, as
    // a translation gives it.
    std::string Format(const std::function<std::string(Id)>& templateOf) const;
    // The English template of an id, with %1 … %9 for its arguments.
    static const char* Template(Id id);
    // `pattern` with each %1 … %9 replaced by that argument in one pass: an argument's own "%2"
    // stays as it is. A placeholder without an argument stays too.
    static std::string Fill(const std::string& pattern, const std::vector<std::string>& args);

    bool operator==(const UserMessage& other) const;
    bool operator!=(const UserMessage& other) const { return !(*this == other); }

  private:
    Id id_ = Id::kNone;
    std::vector<std::string> args_;
    std::vector<UserMessage> cause_;  // the cause, or the parts
};

}  // namespace platform
