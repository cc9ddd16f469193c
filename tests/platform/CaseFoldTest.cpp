// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CaseFold.h"

#include <gtest/gtest.h>

#include <string>

// Volume labels as `watch --label` compares them: letter case folded as Unicode does, beyond ASCII.
TEST(CaseFoldTest, LabelsMatchWhateverTheLetterCase) {
    const struct {
        std::string a, b;
        bool same;
    } rows[] = {
        {"MÜSIK CAR", "Müsik Car", true}, {"ÆØÅ ÇÉ", "æøå çé", true},
        {"ΣΟΦΊΑ", "σοφία", true},         {"МУЗЫКА", "музыка", true},
        {"STRASSE", "straße", true},      {"ＭＵＳＩＣ", "ｍｕｓｉｃ", true},
        {"MUSIC", "MUSIK", false},        {"Müsik", "Musik", false},
        {"caf\xc9", "caf\xe9", false},  // not UTF-8: the bytes as they are
        {"caf\xe9", "CAF\xe9", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.a + " / " + row.b);
        EXPECT_EQ(platform::CaseFold::Same(row.a, row.b), row.same);
    }
}
