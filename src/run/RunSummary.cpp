// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/RunSummary.h"

#include <string>

namespace run {

using Ending = TransferResult::Ending;
using platform::UserMessage;
using Id = platform::UserMessage::Id;

const char* RunSummary::EndingName() const {
    switch (result_.ending) {
        case Ending::kStickFull:
            return "stickFull";
        case Ending::kLimitReached:
            return "limitReached";
        case Ending::kFolderFull:
            return "folderFull";
        case Ending::kDeviceLimit:
            return "deviceLimit";
        case Ending::kAllHandled:
            return "allHandled";
        case Ending::kStopped:
            return "stopped";
        case Ending::kIndexError:
            return "indexError";
        case Ending::kRefused:
            return "refused";
        case Ending::kStickFailed:
            return "stickFailed";
    }
    return "unknown";
}

UserMessage RunSummary::Ending() const {
    switch (result_.ending) {
        case Ending::kStickFull:
            return UserMessage(Id::kEndStickFull);
        case Ending::kLimitReached:
            return UserMessage(Id::kEndLimitReached);
        case Ending::kDeviceLimit:
            return UserMessage(Id::kEndDeviceLimit);
        case Ending::kAllHandled:
            return UserMessage(Id::kEndAllHandled);
        case Ending::kStopped:
            return UserMessage(Id::kEndStopped);
        case Ending::kIndexError:
            return UserMessage(Id::kIndexError);
        case Ending::kFolderFull:
        case Ending::kRefused:
        case Ending::kStickFailed:
            break;
    }
    return result_.error;
}

UserMessage RunSummary::StatusLine(const NumberStyle& style) const {
    const UserMessage songs = NumberFormat::Songs(uint64_t(result_.filesCopied), style);
    UserMessage line;
    switch (result_.ending) {
        case Ending::kStopped:
            line = UserMessage(Id::kStoppedRun, {}, songs);
            break;
        case Ending::kAllHandled:
            if (result_.filesCopied > 0 && result_.filesFailed == 0 && !result_.dryRun) {
                line = UserMessage(Id::kAllOnSticks);
                break;
            }
            [[fallthrough]];
        case Ending::kStickFull:
        case Ending::kLimitReached:
        case Ending::kFolderFull:
        case Ending::kDeviceLimit:
            line = UserMessage(Id::kFinishedRun, {},
                               {songs, NumberFormat::Size(result_.bytesCopied, style), Ending()});
            break;
        case Ending::kIndexError:
        case Ending::kRefused:
        case Ending::kStickFailed:
            return Ending();
    }
    if (result_.filesFailed > 0) {
        line = UserMessage(Id::kSomeFailed,
                           {NumberFormat::Grouped(uint64_t(result_.filesFailed), style)}, line);
    }
    return result_.newCycle ? UserMessage(Id::kWithNewCycle, {}, line) : line;
}

UserMessage RunSummary::Failure() const {
    UserMessage what;
    const int drawn = result_.filesCopied + result_.filesFailed;
    switch (result_.ending) {
        case Ending::kRefused:
            return result_.error;  // nothing was done, so nothing was left unsaved
        case Ending::kStickFull:
        case Ending::kLimitReached:
        case Ending::kFolderFull:
        case Ending::kDeviceLimit:
        case Ending::kAllHandled:
            if (drawn > 0 && result_.filesCopied == 0) {
                what = UserMessage(Id::kNoneArrived, {std::to_string(drawn)});
            }
            break;
        case Ending::kStopped:
        case Ending::kIndexError:
        case Ending::kStickFailed:
            what = Ending();
            break;
    }
    if (what.IsEmpty() && !result_.playlistError.IsEmpty()) {
        what = UserMessage(Id::kPlaylistNotWritten, {}, result_.playlistError);
    }
    if (!result_.saved && !result_.dryRun) {
        what = UserMessage(Id::kNotSavedAfterRun, {}, what.IsEmpty() ? Ending() : what);
    }
    return what;
}

UserMessage RunSummary::Warning() const {
    const bool refused =
        result_.ending == Ending::kRefused || result_.ending == Ending::kStickFailed;
    if (refused && !result_.error.IsEmpty()) {
        return result_.error;
    }
    if (!result_.playlistError.IsEmpty()) {
        return UserMessage(Id::kPlaylistNotWritten, {}, result_.playlistError);
    }
    if (!result_.orderError.IsEmpty()) {
        return UserMessage(Id::kNotInPlayOrder, {}, result_.orderError);
    }
    return UserMessage();
}

bool RunSummary::ShouldEject(bool asked) const {
    return asked && !result_.dryRun && result_.ending != Ending::kRefused;
}

bool RunSummary::SaveDue() const {
    return !result_.dryRun && result_.ending != Ending::kRefused;
}

}  // namespace run
