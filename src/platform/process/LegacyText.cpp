// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/LegacyText.h"

namespace platform {

bool IsValidUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        size_t length = 0;
        unsigned long point = 0;
        if (byte < 0x80) {
            ++i;
            continue;
        } else if ((byte & 0xE0) == 0xC0) {
            length = 2;
            point = byte & 0x1F;
        } else if ((byte & 0xF0) == 0xE0) {
            length = 3;
            point = byte & 0x0F;
        } else if ((byte & 0xF8) == 0xF0) {
            length = 4;
            point = byte & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            point = (point << 6) | (next & 0x3F);
        }
        const unsigned long smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (point < smallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

#ifndef _WIN32
bool DecodeLegacyText(std::string&) {
    return false;  // Linux text files are UTF-8, or bytes kept as they are
}

bool EncodeLegacyText(std::string&) {
    return false;
}
#endif

}  // namespace platform
