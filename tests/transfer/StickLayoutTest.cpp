// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StickLayout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "support/TempDir.h"

namespace {

using Entries = std::vector<std::string>;

// A layout started on a fresh stick that holds the files and folders named ("/" at the end: a
// folder); a playlist among them holds `playlist_`.
class StickLayoutTest : public ::testing::Test {
  protected:
    StickLayout StartOn(const Entries& names, StickLayout layout, bool asIfEmpty = false) {
        const std::string stick = dir_ / std::to_string(++sticks_);
        std::filesystem::create_directory(stick);
        for (const std::string& name : names) {
            if (name.back() == '/') {
                std::filesystem::create_directory(stick + "/" + name);
            } else {
                WriteFileBytes(stick + "/" + name,
                               name == StickLayout::kPlaylistName ? playlist_ : "x");
            }
        }
        EXPECT_TRUE(StickFolder::OpenRoot(stick, root_).Ok());
        layout.Start(root_, asIfEmpty);
        return layout;
    }

    TempDir dir_;
    int sticks_ = 0;
    StickFolder root_;
    std::string playlist_;
};

TEST(StickLayoutParseTest, APlaylistGivesOnlyPathsInsideTheStick) {
    const std::pair<const char*, Entries> rows[] = {
        {"#EXTM3U\r\n#EXTINF:3,A\r\na.mp3\r\n\r\n01/b.mp3\r\n", {"a.mp3", "01/b.mp3"}},
        {"\xEF\xBB\xBF"
         "a.mp3\nb.mp3\n",
         {"a.mp3", "b.mp3"}},
        {"./#9 Dream.mp3\n#9 Dream.mp3\n", {"#9 Dream.mp3"}},
        {"/etc/passwd\n../a.mp3\n01/../../a.mp3\n01/./a.mp3\n01//a.mp3\n01/\n.\n", {}},
        {"a\tb.mp3\n\xff.mp3\nlast.mp3", {"last.mp3"}},
    };
    for (const auto& [text, entries] : rows) {
        EXPECT_EQ(StickLayout::ParsePlaylist(text), entries) << text;
    }
}

// A run goes on after the highest numbered folder, whatever holds that name; other names and
// numbers of one or of ten digits are no numbered folders. A stick to be wiped starts at "01".
TEST_F(StickLayoutTest, NewFoldersComeAfterTheHighestNumberedName) {
    const std::tuple<Entries, bool, const char*> rows[] = {
        {{"03/", "9/", "0000000012/", "x7/", "12.mp3"}, false, "04"},
        {{"02", "000000008/"}, false, "09"},
        {{"99/"}, false, "100"},
        {{"07/"}, true, "01"},
    };
    for (const auto& [names, asIfEmpty, first] : rows) {
        EXPECT_EQ(StartOn(names, StickLayout(5), asIfEmpty).FolderFor(0), first);
    }
}

// The playlist found, then this run's songs; a line whose file is gone goes, one listed twice
// keeps its first place, and a name a player takes for a comment is written "./#".
TEST_F(StickLayoutTest, ThePlaylistKeepsWhatIsOnTheStickInItsFirstPlace) {
    playlist_ = "#EXTM3U\nb.mp3\ngone.mp3\n01/\na.mp3\nb.mp3\n";
    StickLayout layout =
        StartOn({StickLayout::kPlaylistName, "a.mp3", "b.mp3", "#c.mp3", "01/"}, StickLayout(0));
    EXPECT_EQ(layout.PlaylistBytes(), playlist_.size());
    for (const char* added : {"#c.mp3", "a.mp3", "never.mp3"}) {
        layout.Add(added);
    }
    EXPECT_EQ(layout.Entries(),
              Entries({"b.mp3", "gone.mp3", "a.mp3", "b.mp3", "#c.mp3", "a.mp3", "never.mp3"}));
    EXPECT_EQ(layout.PlaylistText(), "#EXTM3U\nb.mp3\na.mp3\n./#c.mp3\n");
}

}  // namespace
