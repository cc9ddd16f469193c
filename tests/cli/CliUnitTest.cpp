// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "cli/JsonText.h"
#include "cli/ProgressBar.h"
#include "cli/SizeParser.h"

TEST(SizeParserTest, AcceptsBytesAndBinaryUnitsAndRefusesBadSizesWithAReason) {
    uint64_t n = 0;
    const auto parsed = [&n](const char* text) { return SizeParser::Parse(text, n).Ok() ? n : 0; };
    EXPECT_EQ(parsed("4096"), 4096u);
    EXPECT_EQ(parsed("3k"), 3u * 1024);
    EXPECT_EQ(parsed("700M"), 700u * 1024 * 1024);
    EXPECT_EQ(parsed("2GiB"), 2ull << 30);
    EXPECT_EQ(parsed("16gb"), 16ull << 30);
    EXPECT_EQ(parsed("18446744073709551615"), 18446744073709551615ull);
    for (const char* bad : {"0", "0M", "-5", "12X", "M", "", "1.5G", " 5", "5 M", "99999999999G",
                            "18446744073709551616", "17179869184G"}) {
        const platform::Status refused = SizeParser::Parse(bad, n);
        EXPECT_FALSE(refused.Ok()) << bad;
        EXPECT_NE(refused.message.Text().find("invalid size"), std::string::npos) << bad;
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

// Valid UTF-8 is kept as it is; other text also as hex bytes, and readable with U+FFFD.
TEST(JsonTextTest, OnlyValidUtf8IsKeptAsItIsAndOtherTextAlsoLosslessly) {
    const std::string bad = "\xef\xbf\xbd";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"J\xc3\xa4zz \xe2\x82\xac\xf0\x9d\x84\x9e", ""},  // valid: kept as it is
        {"caf\xe9", "caf" + bad},                          // Latin-1
        {"\xc0\xaf", bad + bad},                           // an overlong "/"
        {"\xed\xa0\x80", bad + bad + bad},                 // a surrogate
        {"\xf4\x90\x80\x80", bad + bad + bad + bad},       // above U+10FFFF
        {"a\xe2\x82", "a" + bad + bad},                    // cut short
    };
    for (const auto& [text, readable] : cases) {
        SCOPED_TRACE(JsonText::Hex(text));
        nlohmann::json object = nlohmann::json::object();
        JsonText::Put(object, "name", text);
        const nlohmann::json expected =
            readable.empty()
                ? nlohmann::json{{"name", text}}
                : nlohmann::json{{"name", readable}, {"nameBytes", JsonText::Hex(text)}};
        EXPECT_EQ(object, expected);
    }
}
