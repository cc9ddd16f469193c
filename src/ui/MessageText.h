// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "platform/UserMessage.h"

// The core's messages in the user's language: the English template looked up among the
// translations, then its arguments (and its cause, translated the same way) filled in.
class MessageText {
  public:
    static QString Translate(const platform::UserMessage& message);
};
