#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "support/TracePipe.h"
#include "transfer/FileOperations.h"

// A source that yields no data fails the copy as that file's own failure once it has stalled for
// the limit, and leaves nothing at the destination.
TEST(StalledCopyTest, ASourceWithoutDataFailsAsTheFilesOwnFailure) {
    TracePipe hanging;
    if (!hanging.IsMounted()) {
        GTEST_SKIP() << "mounting tracefs needs the superuser on Linux";
    }
    TempDir stick;
    FileOperations files;
    files.SetCopyLimits({nullptr, std::chrono::milliseconds(300)});
    const FileOperations::CopyResult result =
        files.CopyWithoutOverwrite(hanging.File(), stick / "song.mp3");
    EXPECT_EQ(result.outcome, FileOperations::CopyResult::kFileFailed);
    EXPECT_NE(result.error.find("no data for"), std::string::npos) << result.error;
    EXPECT_TRUE(FilesIn(stick.Path()).empty());
}
