// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JsonText.h"

size_t JsonText::SequenceLength(const std::string& text, size_t pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        return 1;
    }
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (pos + length > text.size() || byte(pos + 1) < low || byte(pos + 1) > high) {
        return 0;
    }
    for (size_t i = 2; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

bool JsonText::IsValidUtf8(const std::string& text) {
    for (size_t pos = 0; pos < text.size();) {
        const size_t length = SequenceLength(text, pos);
        if (length == 0) {
            return false;
        }
        pos += length;
    }
    return true;
}

std::string JsonText::Readable(const std::string& text) {
    std::string readable;
    for (size_t pos = 0; pos < text.size();) {
        const size_t length = SequenceLength(text, pos);
        if (length == 0) {
            readable += "\xEF\xBF\xBD";
            ++pos;
        } else {
            readable.append(text, pos, length);
            pos += length;
        }
    }
    return readable;
}

std::string JsonText::Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        hex += kDigits[b >> 4];
        hex += kDigits[b & 0x0F];
    }
    return hex;
}

void JsonText::Put(nlohmann::json& object, const std::string& key, const std::string& text) {
    if (IsValidUtf8(text)) {
        object[key] = text;
        return;
    }
    object[key] = Readable(text);
    object[key + "Bytes"] = Hex(text);
}

std::string JsonText::Dump(const nlohmann::json& document) {
    return document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}
