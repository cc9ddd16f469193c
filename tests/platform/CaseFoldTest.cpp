// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CaseFold.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

// Volume labels as `watch --label` compares them: letter case folded as Unicode does, beyond ASCII.
TEST(CaseFoldTest, LabelsMatchWhateverTheLetterCase) {
    const std::tuple<std::string, std::string, bool> rows[] = {
        {"MÜSIK CAR", "Müsik Car", true}, {"ÆØÅ ÇÉ", "æøå çé", true},
        {"ΣΟΦΊΑ", "σοφία", true},         {"МУЗЫКА", "музыка", true},
        {"STRASSE", "straße", true},      {"ＭＵＳＩＣ", "ｍｕｓｉｃ", true},
        {"MUSIC", "MUSIK", false},        {"Müsik", "Musik", false},
        {"caf\xc9", "caf\xe9", false},  // not UTF-8: the bytes as they are
        {"caf\xe9", "CAF\xe9", true},
    };
    for (const auto& [a, b, same] : rows) {
        SCOPED_TRACE(a + " / " + b);
        EXPECT_EQ(platform::CaseFold::Same(a, b), same);
    }
}
