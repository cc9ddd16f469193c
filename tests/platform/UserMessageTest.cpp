// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UserMessage.h"

#include <gtest/gtest.h>

using platform::UserMessage;
using Id = UserMessage::Id;

// Arguments go in as they are, in one pass, and a cause fills the last placeholder.
TEST(UserMessageTest, FillsArgumentsAndCauseOnce) {
    EXPECT_EQ(UserMessage::Fill("%2 <- %1 %3", {"a %2", "b"}), "b <- a %2 %3");
    EXPECT_EQ(UserMessage(Id::kFolderNotMade, {"/s/01", "Read-only file system"}).Text(),
              "Cannot make the folder /s/01: Read-only file system");
    EXPECT_EQ(UserMessage(Id::kPathRefused, {"/m "}, UserMessage(Id::kPathBlank)).Text(),
              "This directory cannot be kept in a music selection file: its path begins or ends "
              "with a blank.\n/m ");
    EXPECT_EQ(UserMessage(Id::kNotEjectedNoRoot, {"/media/s"}, UserMessage(Id::kNoUdisks)).Text(),
              "Not ejected: UDisks2 is not available; unmount /media/s with the file manager, or "
              "run as root to unmount it");
    EXPECT_TRUE(UserMessage().Text().empty());
}
