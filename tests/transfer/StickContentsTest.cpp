#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "transfer/StickContents.h"

using platform::DriveType;

// What a wipe would delete: music and other files in nested folders, but nothing behind a link;
// and how the question shows it.
TEST(StickContentsTest, CountsWhatAWipeDeletesWithoutFollowingLinks) {
    TempDir stick, outside;
    WriteFileBytes(stick / "a.mp3", std::string(1000, 'x'));
    WriteFileBytes(stick / "deep/er/B.MP3", std::string(24, 'x'));
    WriteFileBytes(outside / "big.mp3", std::string(5000, 'x'));
    WriteFileBytes(outside / "tax.pdf", "");
    const StickContents music = StickContents::Count(stick.Path(), {"ogg", "mp3"});
    EXPECT_EQ(music.Describe(), "2 files, 0 MB");
    EXPECT_EQ(music.Bytes(), 1024u);
    EXPECT_FALSE(music.NeedsConfirmation(DriveType::kRemovable));
    EXPECT_TRUE(music.NeedsConfirmation(DriveType::kFixed));

    WriteFileBytes(stick / "deep/photo.jpg", "jpg");
    const bool linked = TryCreateSymlink(outside.Path(), stick / "link");
    const StickContents mixed = StickContents::Count(stick.Path(), {"mp3"});
    EXPECT_EQ(mixed.Files(), 3u + linked);
    EXPECT_EQ(mixed.Bytes(), 1027u);
    EXPECT_EQ(mixed.NonMusic(), 1u + linked);
    EXPECT_TRUE(mixed.NeedsConfirmation(DriveType::kRemovable));
    EXPECT_EQ(StickContents::Count(stick / "missing", {"mp3"}).Files(), 0u);

    // Sizes read as the question shows them.
    const std::pair<uint64_t, const char*> rows[] = {
        {(uint64_t{1019} << 20) + 999, "1,019 MB"},
        {uint64_t{3436} << 20, "3.4 GB"},
        {uint64_t{1234567890} << 20, "1,205,632.7 GB"},
    };
    for (const auto& [bytes, text] : rows) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(StickContents::FormatSize(bytes), text);
    }
}
