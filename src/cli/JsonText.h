// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <nlohmann/json.hpp>

#include <string>

// Texts for JSON documents, which must be UTF-8; file names from old collections often are not
// (Latin-1). A text that is valid UTF-8 is stored under `key` as it is. Any other is stored under
// `key` for reading, each invalid byte replaced by U+FFFD, and losslessly under `key` + "Bytes"
// as the hexadecimal digits of all its bytes.
class JsonText {
  public:
    static void Put(nlohmann::json& object, const std::string& key, const std::string& text);
    // The document, indented by 2, with a line break; never throws on text that slipped through
    // unchecked (such bytes become U+FFFD).
    static std::string Dump(const nlohmann::json& document);
    static bool IsValidUtf8(const std::string& text);
    // Every invalid byte replaced by U+FFFD.
    static std::string Readable(const std::string& text);
    static std::string Hex(const std::string& bytes);

  private:
    // The length of the valid UTF-8 sequence starting at `pos`, or 0.
    static size_t SequenceLength(const std::string& text, size_t pos);
};
