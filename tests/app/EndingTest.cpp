// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QString>
#include <sstream>

#include "cli/FillCommand.h"
#include "cli/WatchCommand.h"
#include "ui/CTunecrateView.h"

namespace {

using Ending = TransferResult::Ending;
using platform::UserMessage;
using Id = platform::UserMessage::Id;

std::string Lower(std::string text) {
    for (char& c : text) {
        c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// The command line, the watch's notification and the GUI's status line tell the same ending for
// the same result: none of them words an ending of its own.
TEST(EndingTest, EveryFrontEndTellsTheSameEnding) {
    const struct {
        Ending ending;
        UserMessage error;
        bool newCycle;
        const char* said;
    } rows[] = {
        {Ending::kStickFull, {}, false, "the stick is full"},
        {Ending::kLimitReached, {}, false, "the size limit is reached"},
        {Ending::kDeviceLimit, {}, false, "the device's folder limit is reached"},
        {Ending::kFolderFull, UserMessage(Id::kFolderFull, {"/m"}), false,
         "the stick's folder is full: /m"},
        {Ending::kAllHandled, {}, false, "every song of the collection has been handled"},
        {Ending::kStopped, {}, false, "stopped on request"},
        {Ending::kIndexError, {}, false, "index error!"},
        {Ending::kRefused, UserMessage(Id::kNoStick), false, "no stick drive chosen"},
        {Ending::kStickFailed, UserMessage(Id::kStickGone, {"/m"}), false, "the stick is gone: /m"},
        {Ending::kStickFull, {}, true, "a new cycle started"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.said);
        TransferResult result;
        result.ending = row.ending;
        result.error = row.error;
        result.newCycle = row.newCycle;
        result.filesCopied = 2;
        result.filesFailed = 1;
        result.bytesCopied = 6 << 20;
        result.saved = true;
        std::istringstream in;
        std::ostringstream out, err;
        CliContext context{in, out, err, std::string(), false};
        FillCommand().PrintSummary(result, context);
        EXPECT_NE(Lower(out.str() + err.str()).find(row.said), std::string::npos) << out.str();
        EXPECT_NE(Lower(WatchCommand::NotificationText(result)).find(row.said), std::string::npos);
        const std::string status = CTunecrateView::StatusText(result).toStdString();
        EXPECT_NE(Lower(status).find(row.said), std::string::npos) << status;
    }
}

}  // namespace
