// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/WipeQuestion.h"

#include "transfer/DriveInfo.h"

namespace run {

using platform::UserMessage;
using Id = platform::UserMessage::Id;

std::optional<WipeQuestion> WipeQuestion::For(const DriveInfo& stick, const StickContents& contents,
                                              bool plainFolder) {
    const bool folder = stick.GetDriveType() == platform::DriveType::kNoRootDir;
    if (stick.GetRootPath().empty() || (folder && !plainFolder) ||
        !contents.NeedsConfirmation(stick.GetDriveType())) {
        return std::nullopt;
    }
    const std::string& root = stick.GetRootPath();
    const std::string& label = stick.GetVolumeLabel();
    const UserMessage target =
        label.empty() ? UserMessage::System(root) : UserMessage(Id::kWipeTarget, {label, root});
    // A plain folder is no drive: its type's text ("Root directory does not exist.") would read
    // as an error here.
    return WipeQuestion(UserMessage(Id::kWipeQuestion, {}, target),
                        folder ? UserMessage(Id::kPlainFolder)
                               : DriveInfo::TypeText(stick.GetDriveType(), stick.IsFloppyLetter()),
                        contents);
}

UserMessage WipeQuestion::Details(const NumberStyle& style) const {
    return UserMessage(Id::kWipeDetails, {}, {kind_, Contents(contents_, style)});
}

UserMessage WipeQuestion::Contents(const StickContents& contents, const NumberStyle& style) {
    const UserMessage size = NumberFormat::Size(contents.Bytes(), style);
    UserMessage text =
        contents.Files() == 1
            ? UserMessage(Id::kOneFile, {}, size)
            : UserMessage(Id::kFiles, {NumberFormat::Grouped(contents.Files(), style)}, size);
    if (contents.NonMusic() > 0) {
        text =
            UserMessage(Id::kNotMusic, {NumberFormat::Grouped(contents.NonMusic(), style)}, text);
    }
    return text;
}

}  // namespace run
