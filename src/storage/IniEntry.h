#pragma once

#include <string>

// One key/value line of an INI section. Neither part changes after the entry is made.
class IniEntry {
  public:
    IniEntry(std::string key, std::string value);

    const std::string& GetKey() const { return key_; }
    const std::string& GetValue() const { return value_; }

    // Keys match without regard to the case of the ASCII letters A to Z; nothing is trimmed.
    static bool KeysMatch(const std::string& a, const std::string& b);

  private:
    std::string key_;
    std::string value_;
};
