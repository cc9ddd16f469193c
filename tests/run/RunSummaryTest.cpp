// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "run/NumberFormat.h"
#include "run/RunSummary.h"

namespace {

using Ending = TransferResult::Ending;
using platform::UserMessage;

TransferResult Result(Ending ending, int copied, int failed, bool saved = true) {
    TransferResult result;
    result.ending = ending;
    result.filesCopied = copied;
    result.filesFailed = failed;
    result.saved = saved;
    return result;
}

// A run succeeds when a drawn song arrived or none was drawn, and everything was written.
TEST(RunSummaryTest, ExitStatusFollowsWhatArrivedAndWhatWasWritten) {
    TransferResult playlistLost = Result(Ending::kStickFull, 3, 0);
    playlistLost.playlistError = UserMessage::System("disk full");
    TransferResult dryRun = Result(Ending::kLimitReached, 3, 0, false);
    dryRun.dryRun = true;
    const std::tuple<const char*, TransferResult, int> rows[] = {
        {"full", Result(Ending::kStickFull, 3, 0), 0},
        {"limit", Result(Ending::kLimitReached, 1, 4), 0},
        {"folder full", Result(Ending::kFolderFull, 1, 0), 0},
        {"nothing to draw", Result(Ending::kAllHandled, 0, 0), 0},
        {"every drawn song failed", Result(Ending::kAllHandled, 0, 2), 1},
        {"stopped", Result(Ending::kStopped, 2, 0), 1},
        {"not saved", Result(Ending::kStickFull, 3, 0, false), 1},
        {"playlist not written", playlistLost, 1},
        {"refused", Result(Ending::kRefused, 0, 0, false), 1},
        {"dry run", dryRun, 0},
    };
    for (const auto& [name, result, exitStatus] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(run::RunSummary(result).ExitStatus(), exitStatus);
    }
}

// The one warning box after a run: the error of a refused run or a failed stick comes first,
// then a playlist not written, then songs not put in play order.
TEST(RunSummaryTest, TheWarningAfterARunNamesTheWeightiestProblem) {
    const std::tuple<Ending, const char*, const char*, const char*, const char*> rows[] = {
        {Ending::kRefused, "no stick", "", "", "no stick"},
        {Ending::kStickFailed, "gone", "lost", "", "gone"},
        {Ending::kFolderFull, "full", "lost", "mixed", "the playlist was not written: lost"},
        {Ending::kStickFull, "", "", "mixed", "the songs were not put in play order: mixed"},
        {Ending::kStickFull, "", "", "", ""},
    };
    for (const auto& [ending, error, playlist, order, warning] : rows) {
        SCOPED_TRACE(warning);
        TransferResult result = Result(ending, 1, 0);
        for (auto [field, text] : {std::pair{&result.error, error},
                                   {&result.playlistError, playlist},
                                   {&result.orderError, order}}) {
            *field = *text ? UserMessage::System(text) : UserMessage();
        }
        EXPECT_EQ(run::RunSummary(result).Warning().Text(), warning);
    }
}

// Sizes in binary units: a few bytes are never "0 MB", and the style gives the separators.
TEST(RunSummaryTest, SizesPickTheirUnitAndTheStylesSeparators) {
    const run::NumberStyle german{".", ","};
    const std::tuple<uint64_t, const char*, const char*> rows[] = {
        {0, "0 KB", "0 KB"},
        {1, "1 KB", "1 KB"},
        {(uint64_t{1} << 20) - 1, "1,024 KB", "1.024 KB"},
        {(uint64_t{1019} << 20) + 999, "1,019 MB", "1.019 MB"},
        {uint64_t{3436} << 20, "3.4 GB", "3,4 GB"},
        {uint64_t{1234567890} << 20, "1,205,632.7 GB", "1.205.632,7 GB"},
    };
    for (const auto& [bytes, english, inGerman] : rows) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(run::NumberFormat::Size(bytes).Text(), english);
        EXPECT_EQ(run::NumberFormat::Size(bytes, german).Text(), inGerman);
    }
}

}  // namespace
