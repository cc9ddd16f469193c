// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/WinText.h"

#include <map>

#include "platform/Text_win.h"
#include "win/resource.h"

namespace win {
namespace {

HRSRC FindLocal(LPCWSTR type, LPCWSTR name) {
    HRSRC found = FindResourceExW(nullptr, type, name, UiLanguage());
    return found
               ? found
               : FindResourceExW(nullptr, type, name, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
}

const void* LockLocal(LPCWSTR type, LPCWSTR name, DWORD* size = nullptr) {
    HRSRC found = FindLocal(type, name);
    if (!found) {
        return nullptr;
    }
    if (size) {
        *size = SizeofResource(nullptr, found);
    }
    HGLOBAL loaded = LoadResource(nullptr, found);
    return loaded ? LockResource(loaded) : nullptr;
}

// The German catalogue: English text to German text, read once.
const std::map<std::string, std::wstring>& Catalogue() {
    static const std::map<std::string, std::wstring> catalogue = [] {
        std::map<std::string, std::wstring> pairs;
        DWORD size = 0;
        const auto* text = static_cast<const wchar_t*>(
            LockLocal(RT_RCDATA, MAKEINTRESOURCEW(IDR_CATALOGUE), &size));
        const wchar_t* end = text ? text + size / sizeof(wchar_t) : nullptr;
        while (text && text < end && *text) {
            const std::wstring english(text);
            text += english.size() + 1;
            if (text >= end) {
                break;
            }
            const std::wstring german(text);
            text += german.size() + 1;
            pairs[platform::Narrow(english)] = german;
        }
        return pairs;
    }();
    return catalogue;
}

}  // namespace

LANGID UiLanguage() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_GERMAN
               ? MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)
               : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

bool IsGerman() {
    return PRIMARYLANGID(UiLanguage()) == LANG_GERMAN;
}

std::wstring LoadText(UINT id) {
    // A string table block holds 16 counted strings; block n holds the ids 16 (n - 1) onwards.
    const auto* block =
        static_cast<const WCHAR*>(LockLocal(RT_STRING, MAKEINTRESOURCEW(id / 16 + 1)));
    if (!block) {
        return std::wstring();
    }
    for (UINT i = 0; i < id % 16; ++i) {
        block += 1 + *block;
    }
    return std::wstring(block + 1, *block);
}

std::wstring FormatText(UINT id, const std::vector<std::string>& args) {
    return platform::Widen(platform::UserMessage::Fill(platform::Narrow(LoadText(id)), args));
}

std::wstring CommandName(UINT id) {
    const std::wstring text = LoadText(id);
    const size_t split = text.find(L'\n');
    return split == std::wstring::npos ? text : text.substr(split + 1);
}

std::wstring Translate(const platform::UserMessage& message) {
    return platform::Widen(message.Format([](platform::UserMessage::Id id) -> std::string {
        const char* english = platform::UserMessage::Template(id);
        if (IsGerman()) {
            const auto found = Catalogue().find(english);
            if (found != Catalogue().end()) {
                return platform::Narrow(found->second);
            }
        }
        return english;
    }));
}

run::NumberStyle NumberStyle() {
    run::NumberStyle style;
    wchar_t text[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, text, 8) > 0) {
        style.groupSeparator = platform::Narrow(text);
    }
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text, 8) > 0) {
        style.decimalPoint = platform::Narrow(text);
    }
    return style;
}

const DLGTEMPLATE* DialogTemplate(UINT id) {
    return static_cast<const DLGTEMPLATE*>(LockLocal(RT_DIALOG, MAKEINTRESOURCEW(id)));
}

HMENU LoadLocalMenu(UINT id) {
    const void* menu = LockLocal(RT_MENU, MAKEINTRESOURCEW(id));
    return menu ? LoadMenuIndirectW(menu) : nullptr;
}

std::string WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), int(text.size()))));
    return platform::Narrow(text);
}

std::string ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

}  // namespace win
