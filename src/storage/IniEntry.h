// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

// One key/value line of an INI section. Neither part changes after the entry is made, but for
// TakeValue.
class IniEntry {
  public:
    IniEntry(std::string key, std::string value);

    const std::string& GetKey() const { return key_; }
    const std::string& GetValue() const { return value_; }
    // Moves the value out, leaving it empty: for a reader that keeps the value and lets the
    // entry go.
    std::string TakeValue() { return std::move(value_); }

    // Keys match without regard to the case of the ASCII letters A to Z; nothing is trimmed.
    static bool KeysMatch(const std::string& a, const std::string& b);

  private:
    std::string key_;
    std::string value_;
};
