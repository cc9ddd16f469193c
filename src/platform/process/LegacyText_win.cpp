// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/process/LegacyText.h"

namespace platform {
namespace {

std::wstring ToWide(UINT codePage, DWORD flags, const std::string& text, bool& ok) {
    ok = true;
    if (text.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ok = length > 0 &&
         MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length) == length;
    return wide;
}

}  // namespace

bool DecodeLegacyText(std::string& text) {
    if (IsValidUtf8(text) || GetACP() == CP_UTF8) {
        return false;
    }
    bool ok = false;
    const std::wstring wide = ToWide(CP_ACP, MB_ERR_INVALID_CHARS, text, ok);
    if (!ok) {
        return false;
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                        nullptr, nullptr);
    text = std::move(utf8);
    return true;
}

bool EncodeLegacyText(std::string& text) {
    if (GetACP() == CP_UTF8) {
        return false;
    }
    bool ok = false;
    const std::wstring wide = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, text, ok);
    if (!ok || wide.empty()) {
        return false;
    }
    const int size = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr,
                                           0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) {
        return false;
    }
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, ansi.data(), length,
                        nullptr, &usedDefault);
    if (usedDefault) {
        return false;
    }
    text = std::move(ansi);
    return true;
}

}  // namespace platform
