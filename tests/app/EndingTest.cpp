// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QString>
#include <sstream>
#include <tuple>

#include "cli/FillCommand.h"
#include "cli/WatchCommand.h"
#include "ui/CTunecrateView.h"

namespace {

using Ending = TransferResult::Ending;
using platform::UserMessage;
using Id = platform::UserMessage::Id;

// Whether `text` says `said`, whatever the letter case.
bool Says(const std::string& text, const char* said) {
    return QString::fromStdString(text).contains(QString::fromUtf8(said), Qt::CaseInsensitive);
}

// The command line, the watch's notification and the GUI's status line: none words its own.
TEST(EndingTest, EveryFrontEndTellsTheSameEnding) {
    const std::tuple<Ending, UserMessage, bool, const char*> rows[] = {
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
    for (const auto& [ending, error, newCycle, said] : rows) {
        SCOPED_TRACE(said);
        TransferResult result;
        result.ending = ending;
        result.error = error;
        result.newCycle = newCycle;
        result.filesCopied = 2;
        result.filesFailed = 1;
        result.bytesCopied = 6 << 20;
        result.saved = true;
        std::istringstream in;
        std::ostringstream out, err;
        CliContext context{in, out, err, std::string(), false};
        FillCommand().PrintSummary(result, context);
        EXPECT_TRUE(Says(out.str() + err.str(), said)) << out.str();
        EXPECT_TRUE(Says(WatchCommand::NotificationText(result), said));
        const std::string status = CTunecrateView::StatusText(result).toStdString();
        EXPECT_TRUE(Says(status, said)) << status;
    }
}

}  // namespace
