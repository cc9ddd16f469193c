// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IniFile.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "support/TempDir.h"
#include "support/TmpfsMount.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> SectionNames(const IniFile& file) {
    std::vector<std::string> names;
    for (const IniSection* s : file.SectionsInWriteOrder()) {
        names.push_back(s->GetName());
    }
    return names;
}

// All key=value pairs of one section, in order.
std::vector<std::string> Entries(IniFile& file, const std::string& section) {
    file.SelectSection(section);
    std::vector<std::string> out;
    for (const IniEntry* e = file.FirstEntry(); e; e = file.NextEntry()) {
        out.push_back(e->GetKey() + "=" + e->GetValue());
    }
    return out;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(IniFileTest, HeaderAndEntryLinesFollowTheParsingRules) {
    const std::string v(1021, 'v'), w(975, 'w');
    IniFile file;
    file.ReadText(
        "orphan=before any header\n"
        "[\n[Global\n[]\nempty=1\n"
        "[ Global ]\n"
        "key=\n=value\nnovalue\na=b=c\na = b\n   lead=trail   \n[x]=y\n"
        // 1023 characters make one line; of 1024 the last 'v' is a line of its own; of 2000 the
        // second piece (977 characters) is itself an entry line.
        "[S]\r\nk=" +
        v + "\r\nl=" + v + "v\nm=" + v + "n=" + w);

    EXPECT_EQ(SectionNames(file).size(), 3u);  // "", " Global " and "S"
    EXPECT_EQ(Entries(file, ""), (Lines{"empty=1"}));
    EXPECT_EQ(Entries(file, " Global "), (Lines{"key=", "a=b=c", "a = b", "lead=trail"}));
    EXPECT_EQ(Entries(file, "S"), (Lines{"k=" + v, "l=" + v, "m=" + v, "n=" + w}));

    // "[Global" was ignored, so Global does not exist; selecting it creates it empty.
    EXPECT_EQ(Entries(file, "Global"), Lines{});
}

// LF and CRLF files read the same; a missing last line break is no loss.
TEST(IniFileTest, LineBreaksAndAByteOrderMarkChangeNothingRead) {
    IniFile lf, crlf, bom;
    lf.ReadText("[A]\nx=1\n[B]\ny=2");
    crlf.ReadText("[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
    EXPECT_EQ(lf.ToText(), crlf.ToText());
    EXPECT_EQ(lf.ToText(), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
    // A UTF-8 byte-order mark at the start is dropped, not taken as part of the first line.
    bom.ReadText("\xEF\xBB\xBF[A]\nx=1\n[B]\ny=2");
    EXPECT_EQ(bom.ToText(), lf.ToText());
}

TEST(IniFileTest, KeysIgnoreCaseAndLookupsShareOneCursorWithTheEntryWalk) {
    IniFile file;
    file.ReadText("[Extensions]\next=mp3\nother=x\nEXT=wav\next=ogg\n[extensions]\next=aac\n");
    file.SelectSection("Extensions");
    EXPECT_EQ(file.GetValue("ext "), "");  // no trimming at lookup time
    EXPECT_EQ(file.GetValue("Ext"), "mp3");
    EXPECT_EQ(file.GetNextValue("ext"), "wav");
    EXPECT_EQ(file.GetNextValue("ext"), "ogg");
    EXPECT_EQ(file.GetNextValue("ext"), "");
    // GetValue rewinds; an absent key yields empty and leaves the cursor at the end.
    EXPECT_EQ(file.GetValue("ext"), "mp3");
    EXPECT_EQ(file.GetValue("missing"), "");
    EXPECT_EQ(file.GetNextValue("ext"), "");
    EXPECT_EQ(file.NextEntry(), nullptr);
    // The entry walk moves the same cursor.
    ASSERT_NE(file.FirstEntry(), nullptr);
    EXPECT_EQ(file.GetNextValue("ext"), "wav");
    EXPECT_EQ(file.NextEntry()->GetValue(), "ogg");
    EXPECT_EQ(file.GetValue("other"), "x");
    EXPECT_EQ(file.NextEntry()->GetValue(), "wav");
    // Section names keep their case.
    file.SelectSection("extensions");
    EXPECT_EQ(file.GetValue("ext"), "aac");
}

// Sections made in this order: "a" and "r" share bucket 12, "f" is 0, "Global" is 1.
class IniSectionOrderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"a", "Global", "r", "f"}) {
            file.SelectSection(name);
        }
    }
    IniFile file;
};

TEST_F(IniSectionOrderTest, SectionsGoInHashBucketOrderNewestFirstWithinABucket) {
    EXPECT_EQ(SectionNames(file), (Lines{"f", "Global", "r", "a"}));
    // Bytes count as signed: "Ä" lands in bucket 6 with "l" (5 if it were unsigned, with "k").
    IniFile utf8;
    for (const char* name : {"\xc3\x84", "k", "l"}) {
        utf8.SelectSection(name);
    }
    EXPECT_EQ(SectionNames(utf8), (Lines{"k", "l", "\xc3\x84"}));
}

// The last of a repeated section wins; one removed and made again moves to the front of its
// bucket.
TEST_F(IniSectionOrderTest, ReadReplacesTheSectionsItNamesInTheirPlaceAndKeepsTheOthers) {
    file.SelectSection("f");
    file.AddEntry("k", "v");
    file.SelectSection("a");
    file.AddEntry("old", "1");
    file.ReadText("[a]\nfirst=1\n[a]\nsecond=2\n");
    EXPECT_EQ(file.GetCurrentSection(), nullptr);  // the selected section is gone
    EXPECT_EQ(SectionNames(file), (Lines{"f", "Global", "r", "a"}));
    EXPECT_EQ(Entries(file, "a"), (Lines{"second=2"}));
    EXPECT_EQ(Entries(file, "f"), (Lines{"k=v"}));
    file.RemoveSection("a");
    file.SelectSection("a");
    EXPECT_EQ(SectionNames(file), (Lines{"f", "Global", "a", "r"}));
}

TEST_F(IniSectionOrderTest, AddingWithoutASelectedSectionIsIgnored) {
    file.RemoveSection("f");
    file.AddEntry("lost", "x");
    EXPECT_EQ(file.ToText(), "[Global]\r\n[r]\r\n[a]\r\n");
}

// A pipe or a device in a file's place is refused in the program's own words (a message id).
TEST(IniFileTest, ReadingWhatIsNoFileIsRefusedWithTheProgramsOwnReason) {
#ifdef _WIN32
    IniFile file("NUL");
#else
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "pipe.ini").c_str(), 0644), 0);
    IniFile file(dir / "pipe.ini");
#endif
    EXPECT_EQ(file.Read().message,
              platform::UserMessage(platform::UserMessage::Id::kNotRegularFile));
}

// An object holding the section Other, for a file in a fresh folder.
class IniFileOnDiscTest : public ::testing::Test {
  protected:
    IniFileOnDiscTest() {
        file.SelectSection("Other");
        file.AddEntry("keep", "me");
    }
    TempDir dir;
    IniFile file{dir / "missing.ini"};
};

TEST_F(IniFileOnDiscTest, AMissingFileReadsAsNothingAndAnUnreadableOneChangesNothing) {
    EXPECT_TRUE(file.Read().Ok());
    file.SetPath(dir.Path());  // a directory
    EXPECT_FALSE(file.Read().message.IsEmpty());
    EXPECT_EQ(Entries(file, "Other"), (Lines{"keep=me"}));
}

// A removed section comes back empty, the others stay.
TEST_F(IniFileOnDiscTest, WriteReplacesTheWholeFile) {
    const std::string path = dir / "c.ini";
    WriteFileBytes(path, "[MusicFiles]\ndir=/m\nf0=a.mp3\n");
    file.SetPath(path);
    ASSERT_TRUE(file.Read().Ok());
    file.RemoveSection("MusicFiles");
    file.SelectSection("MusicFiles");
    ASSERT_TRUE(file.Write().Ok());
    EXPECT_EQ(ReadFileBytes(path), "[MusicFiles]\r\n[Other]\r\nkeep=me\r\n");
}

TEST_F(IniFileOnDiscTest, AFailedWriteChangesNoFileAndLeavesNoTemporary) {
    const std::string readOnly = dir / "ro.ini";
    WriteFileBytes(readOnly, "old");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    for (const std::string& path : {readOnly, dir.Path(), std::string(), dir / "no/dir.ini"}) {
        file.SetPath(path);
        EXPECT_FALSE(file.Write().message.IsEmpty()) << path;
    }
    EXPECT_EQ(ReadFileBytes(readOnly), "old");
    EXPECT_EQ(Entries(file, "Other"), (Lines{"keep=me"}));
    EXPECT_EQ(FilesIn(dir.Path()), (std::set<std::string>{"ro.ini"}));
}

TEST_F(IniFileOnDiscTest, AnEmptyObjectWritesAnEmptyFile) {
    IniFile none(dir / "none.ini");
    ASSERT_TRUE(none.Write().Ok());
    EXPECT_EQ(ReadFileBytes(dir / "none.ini"), "");
}

TEST_F(IniFileOnDiscTest, AWriteThroughALinkReplacesItsTargetAndKeepsTheLink) {
    WriteFileBytes(dir / "target.ini", "old");
    if (!TryCreateSymlink(dir / "target.ini", dir / "link.ini")) {
        GTEST_SKIP() << "this system cannot create symbolic links";
    }
    file.SetPath(dir / "link.ini");
    ASSERT_TRUE(file.Write().Ok());
    EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
    EXPECT_EQ(ReadFileBytes(dir / "target.ini"), "[Other]\r\nkeep=me\r\n");
}

// A crash during an earlier save leaves a temporary beside the file; the next save removes it,
// but only ours: by its name, of a process that is gone, whatever its time says.
TEST(IniFileTest, LeftoverTemporariesOfOurOwnGoWithTheNextSave) {
    TempDir dir;
    const auto now = fs::file_time_type::clock::now();
#ifdef _WIN32
    const std::string self = ".c.ini.tmp-" + std::to_string(GetCurrentProcessId()) + "-";
#else
    const std::string self = ".c.ini.tmp-" + std::to_string(getpid()) + "-";
#endif
    const std::vector<std::tuple<std::string, fs::file_time_type, bool>> temporaries = {
        {".c.ini.tmp-2147483646-0-12345", now - std::chrono::hours(1), true},
        {".c.ini.tmp-2147483646-1-99", now + std::chrono::hours(1), true},  // a clock set back
        {self + "1-99", now + std::chrono::hours(1), false},                // this run's
        {self + "2-99", now - std::chrono::hours(1), true},  // an earlier process's number
        {".c.ini.tmp-2147483646-x-1", now - std::chrono::hours(1), false},  // not our pattern
        {".other.ini.tmp-2147483646-0-1", now - std::chrono::hours(1), false},
#ifndef _WIN32
        {".c.ini.tmp-1-0-1", now - std::chrono::hours(1), false},  // of init, which still runs
#endif
    };
    for (const auto& [name, time, goes] : temporaries) {
        WriteFileBytes(dir / name, "half");
        fs::last_write_time(dir / name, time);
    }
    ASSERT_TRUE(IniFile(dir / "c.ini").Write().Ok());
    for (const auto& [name, time, goes] : temporaries) {
        EXPECT_NE(fs::exists(dir / name), goes) << name;
    }
}

TEST(IniFileTest, FullDiscKeepsTheOldFile) {
    TmpfsMount volume(64 * 1024);
    SKIP_UNLESS_MOUNTED(volume);
    const std::string path = volume.Path() + "/c.ini";
    const std::string old = "[Old]\r\nkeep=this\r\n";
    WriteFileBytes(path, old);

    IniFile file(path);
    file.SelectSection("Big");
    for (int i = 0; i < 4000; ++i) {
        file.AddEntry("f0", std::string(40, 'x') + std::to_string(i) + ".mp3");
    }
    const std::string why = file.Write().message.Text();
    EXPECT_NE(why.find("space"), std::string::npos) << why;
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(volume.Path()), fs::directory_iterator()), 1);
}

// A file of an earlier Windows program, in its ANSI code page: read in that code page and
// written back in it while every character fits, else in UTF-8. Elsewhere the bytes stay.
TEST(IniFileTest, AFileInTheWindowsAnsiCodePageIsWrittenBackInIt) {
    TempDir dir;
    const std::string path = dir / "old.ini";
    const std::string cp1252 = "[MusicFiles]\r\ndir=Bj\xf6rk\r\n";
    WriteFileBytes(path, cp1252);
    IniFile file(path);
    file.Read();
    file.SelectSection("MusicFiles");
#ifdef _WIN32
    if (GetACP() != 1252) {
        GTEST_SKIP() << "the system's ANSI code page is not Windows-1252";
    }
    EXPECT_EQ(file.GetValue("dir"), "Bj\xc3\xb6rk");
#else
    EXPECT_EQ(file.GetValue("dir"), "Bj\xf6rk");
#endif
    ASSERT_TRUE(file.Write().Ok());
    EXPECT_EQ(ReadFileBytes(path), cp1252);
#ifdef _WIN32
    file.AddEntry("dir", "\xe6\x97\xa5");  // not in Windows-1252
    ASSERT_TRUE(file.Write().Ok());
    EXPECT_EQ(ReadFileBytes(path), "[MusicFiles]\r\ndir=Bj\xc3\xb6rk\r\ndir=\xe6\x97\xa5\r\n");
#endif
}
