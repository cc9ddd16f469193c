// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/PlayOrderRun.h"

#include "transfer/DriveInfo.h"
#include "transfer/FileOperations.h"
#include "transfer/StickFolder.h"
#include "transfer/StickOrder.h"

namespace run {

using platform::UserMessage;
using Id = platform::UserMessage::Id;

PlayOrderRun PlayOrderRun::Run(const std::string& stick, bool plainFolder,
                               const FileOperations& files) {
    PlayOrderRun run;
    run.ending_ = Ending::kRefused;
    if (stick.empty()) {
        run.message_ = UserMessage(Id::kNoStick);
        return run;
    }
    DriveInfo drive;
    drive.SetRootPath(stick);
    drive.Refresh();
    StickFolder root;
    if (!StickFolder::OpenRoot(stick, root).Ok()) {
        run.message_ = UserMessage(Id::kStickNotFound, {stick});
        return run;
    }
    if (drive.GetDriveType() == platform::DriveType::kNoRootDir && !plainFolder) {
        run.message_ = UserMessage(Id::kNotDriveRoot, {stick});
        return run;
    }
    const StickOrder order(files);
    const StickOrder::Arranged result = order.ArrangeStick(root, StickOrder::PlayOrderOn(root));
    // The moved entries are on the device before the stick may be pulled.
    platform::Status flushed;
    if (result.Ok() && result.folders > 0) {
        flushed = files.FlushVolume(stick);
    }
    run.folders_ = result.folders;
    run.songs_ = result.songs;
    if (!result.Ok() || !flushed.Ok()) {
        run.ending_ = Ending::kFailed;
        run.message_ =
            UserMessage(Id::kOrderFailed, {}, result.Ok() ? flushed.message : result.message);
    } else if (result.folders == 0) {
        run.ending_ = Ending::kNothingToDo;
        run.message_ = UserMessage(Id::kOrderNothing, {stick});
    } else {
        run.ending_ = Ending::kDone;
        run.message_ = UserMessage(Id::kOrderDone,
                                   {std::to_string(result.folders), std::to_string(result.songs)});
    }
    return run;
}

const char* PlayOrderRun::EndingName() const {
    switch (ending_) {
        case Ending::kDone:
            return "done";
        case Ending::kNothingToDo:
            return "nothingToDo";
        case Ending::kRefused:
            return "refused";
        case Ending::kFailed:
            break;
    }
    return "failed";
}

}  // namespace run
