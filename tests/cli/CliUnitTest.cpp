#include <gtest/gtest.h>

#include "cli/JsonText.h"
#include "cli/ProgressBar.h"
#include "cli/SizeParser.h"

TEST(SizeParserTest, AcceptsBytesAndBinaryUnits) {
    std::string error;
    EXPECT_EQ(SizeParser::Parse("4096", error), 4096u);
    EXPECT_EQ(SizeParser::Parse("3k", error), 3u * 1024);
    EXPECT_EQ(SizeParser::Parse("700M", error), 700u * 1024 * 1024);
    EXPECT_EQ(SizeParser::Parse("2GiB", error), 2ull << 30);
    EXPECT_EQ(SizeParser::Parse("16gb", error), 16ull << 30);
    EXPECT_EQ(SizeParser::Parse("18446744073709551615", error), 18446744073709551615ull);
}

TEST(SizeParserTest, RefusesBadSizesWithAReason) {
    for (const char* bad : {"0", "0M", "-5", "12X", "M", "", "1.5G", " 5", "5 M", "99999999999G",
                            "18446744073709551616", "17179869184G"}) {
        std::string error;
        EXPECT_FALSE(SizeParser::Parse(bad, error).has_value()) << bad;
        EXPECT_NE(error.find("invalid size"), std::string::npos) << bad;
    }
}

TEST(ProgressBarTest, ShowsDoneRateAndTimeLeft) {
    EXPECT_EQ(ProgressBar::Render(0, 100, 0.0, 10), "[..........] 0/100 MB");
    EXPECT_EQ(ProgressBar::Render(50, 100, 10.0, 10),
              "[#####.....] 50/100 MB  5.0 MB/s  0:10 left");
    // More than planned (the estimate is rough) never overflows the bar.
    EXPECT_EQ(ProgressBar::Render(120, 100, 10.0, 4), "[####] 120/100 MB  12.0 MB/s");
    EXPECT_EQ(ProgressBar::Render(0, 0, 1.0, 4), "[####] 0/0 MB");
    EXPECT_EQ(ProgressBar::FormatDuration(3723), "1:02:03");
    EXPECT_EQ(ProgressBar::FormatDuration(59.6), "1:00");
}

TEST(JsonTextTest, OnlyValidUtf8IsKeptAsItIsAndOtherTextAlsoLosslessly) {
    struct Case {
        std::string text;
        std::string readable;  // empty: the text is valid and kept as it is
    };
    const std::string kBad = "\xef\xbf\xbd";  // U+FFFD
    const std::vector<Case> cases = {
        {"Jäzz €𝄞", ""},
        {"caf\xe9", "caf\xef\xbf\xbd"},                            // Latin-1
        {"\xc0\xaf", "\xef\xbf\xbd\xef\xbf\xbd"},                  // an overlong "/"
        {"\xed\xa0\x80", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},  // a surrogate
        {"\xf4\x90\x80\x80", kBad + kBad + kBad + kBad},           // above U+10FFFF
        {"a\xe2\x82", "a\xef\xbf\xbd\xef\xbf\xbd"},                // cut short
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(JsonText::Hex(c.text));
        nlohmann::json object = nlohmann::json::object();
        JsonText::Put(object, "name", c.text);
        if (c.readable.empty()) {
            EXPECT_EQ(object, (nlohmann::json{{"name", c.text}}));
            continue;
        }
        EXPECT_EQ(object["nameBytes"], JsonText::Hex(c.text));
        EXPECT_EQ(object["name"], c.readable);
        EXPECT_NO_THROW(JsonText::Dump(object));
    }
}
