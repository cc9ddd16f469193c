// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CaseFold.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace platform {
namespace {

// Code points first..last, every `stride`-th of them, fold to themselves plus `delta`.
struct FoldRun {
    char32_t first;
    char32_t last;
    int32_t delta;
    uint32_t stride;
};
// A code point that folds to more than one (ß to "ss"), the result in UTF-8.
struct FoldMany {
    char32_t from;
    const char* to;
};

// Generated from Python's str.casefold() (Unicode 14) over every code point.
constexpr FoldRun kRuns[] = {
    {0x41, 0x5A, 32, 1},         {0xB5, 0xB5, 775, 1},        {0xC0, 0xD6, 32, 1},
    {0xD8, 0xDE, 32, 1},         {0x100, 0x12E, 1, 2},        {0x132, 0x136, 1, 2},
    {0x139, 0x147, 1, 2},        {0x14A, 0x176, 1, 2},        {0x178, 0x178, -121, 1},
    {0x179, 0x17D, 1, 2},        {0x17F, 0x17F, -268, 1},     {0x181, 0x181, 210, 1},
    {0x182, 0x184, 1, 2},        {0x186, 0x186, 206, 1},      {0x187, 0x187, 1, 1},
    {0x189, 0x18A, 205, 1},      {0x18B, 0x18B, 1, 1},        {0x18E, 0x18E, 79, 1},
    {0x18F, 0x18F, 202, 1},      {0x190, 0x190, 203, 1},      {0x191, 0x191, 1, 1},
    {0x193, 0x193, 205, 1},      {0x194, 0x194, 207, 1},      {0x196, 0x196, 211, 1},
    {0x197, 0x197, 209, 1},      {0x198, 0x198, 1, 1},        {0x19C, 0x19C, 211, 1},
    {0x19D, 0x19D, 213, 1},      {0x19F, 0x19F, 214, 1},      {0x1A0, 0x1A4, 1, 2},
    {0x1A6, 0x1A6, 218, 1},      {0x1A7, 0x1A7, 1, 1},        {0x1A9, 0x1A9, 218, 1},
    {0x1AC, 0x1AC, 1, 1},        {0x1AE, 0x1AE, 218, 1},      {0x1AF, 0x1AF, 1, 1},
    {0x1B1, 0x1B2, 217, 1},      {0x1B3, 0x1B5, 1, 2},        {0x1B7, 0x1B7, 219, 1},
    {0x1B8, 0x1B8, 1, 1},        {0x1BC, 0x1BC, 1, 1},        {0x1C4, 0x1C4, 2, 1},
    {0x1C5, 0x1C5, 1, 1},        {0x1C7, 0x1C7, 2, 1},        {0x1C8, 0x1C8, 1, 1},
    {0x1CA, 0x1CA, 2, 1},        {0x1CB, 0x1DB, 1, 2},        {0x1DE, 0x1EE, 1, 2},
    {0x1F1, 0x1F1, 2, 1},        {0x1F2, 0x1F4, 1, 2},        {0x1F6, 0x1F6, -97, 1},
    {0x1F7, 0x1F7, -56, 1},      {0x1F8, 0x21E, 1, 2},        {0x220, 0x220, -130, 1},
    {0x222, 0x232, 1, 2},        {0x23A, 0x23A, 10795, 1},    {0x23B, 0x23B, 1, 1},
    {0x23D, 0x23D, -163, 1},     {0x23E, 0x23E, 10792, 1},    {0x241, 0x241, 1, 1},
    {0x243, 0x243, -195, 1},     {0x244, 0x244, 69, 1},       {0x245, 0x245, 71, 1},
    {0x246, 0x24E, 1, 2},        {0x345, 0x345, 116, 1},      {0x370, 0x372, 1, 2},
    {0x376, 0x376, 1, 1},        {0x37F, 0x37F, 116, 1},      {0x386, 0x386, 38, 1},
    {0x388, 0x38A, 37, 1},       {0x38C, 0x38C, 64, 1},       {0x38E, 0x38F, 63, 1},
    {0x391, 0x3A1, 32, 1},       {0x3A3, 0x3AB, 32, 1},       {0x3C2, 0x3C2, 1, 1},
    {0x3CF, 0x3CF, 8, 1},        {0x3D0, 0x3D0, -30, 1},      {0x3D1, 0x3D1, -25, 1},
    {0x3D5, 0x3D5, -15, 1},      {0x3D6, 0x3D6, -22, 1},      {0x3D8, 0x3EE, 1, 2},
    {0x3F0, 0x3F0, -54, 1},      {0x3F1, 0x3F1, -48, 1},      {0x3F4, 0x3F4, -60, 1},
    {0x3F5, 0x3F5, -64, 1},      {0x3F7, 0x3F7, 1, 1},        {0x3F9, 0x3F9, -7, 1},
    {0x3FA, 0x3FA, 1, 1},        {0x3FD, 0x3FF, -130, 1},     {0x400, 0x40F, 80, 1},
    {0x410, 0x42F, 32, 1},       {0x460, 0x480, 1, 2},        {0x48A, 0x4BE, 1, 2},
    {0x4C0, 0x4C0, 15, 1},       {0x4C1, 0x4CD, 1, 2},        {0x4D0, 0x52E, 1, 2},
    {0x531, 0x556, 48, 1},       {0x10A0, 0x10C5, 7264, 1},   {0x10C7, 0x10C7, 7264, 1},
    {0x10CD, 0x10CD, 7264, 1},   {0x13F8, 0x13FD, -8, 1},     {0x1C80, 0x1C80, -6222, 1},
    {0x1C81, 0x1C81, -6221, 1},  {0x1C82, 0x1C82, -6212, 1},  {0x1C83, 0x1C84, -6210, 1},
    {0x1C85, 0x1C85, -6211, 1},  {0x1C86, 0x1C86, -6204, 1},  {0x1C87, 0x1C87, -6180, 1},
    {0x1C88, 0x1C88, 35267, 1},  {0x1C90, 0x1CBA, -3008, 1},  {0x1CBD, 0x1CBF, -3008, 1},
    {0x1E00, 0x1E94, 1, 2},      {0x1E9B, 0x1E9B, -58, 1},    {0x1EA0, 0x1EFE, 1, 2},
    {0x1F08, 0x1F0F, -8, 1},     {0x1F18, 0x1F1D, -8, 1},     {0x1F28, 0x1F2F, -8, 1},
    {0x1F38, 0x1F3F, -8, 1},     {0x1F48, 0x1F4D, -8, 1},     {0x1F59, 0x1F5F, -8, 2},
    {0x1F68, 0x1F6F, -8, 1},     {0x1FB8, 0x1FB9, -8, 1},     {0x1FBA, 0x1FBB, -74, 1},
    {0x1FBE, 0x1FBE, -7173, 1},  {0x1FC8, 0x1FCB, -86, 1},    {0x1FD8, 0x1FD9, -8, 1},
    {0x1FDA, 0x1FDB, -100, 1},   {0x1FE8, 0x1FE9, -8, 1},     {0x1FEA, 0x1FEB, -112, 1},
    {0x1FEC, 0x1FEC, -7, 1},     {0x1FF8, 0x1FF9, -128, 1},   {0x1FFA, 0x1FFB, -126, 1},
    {0x2126, 0x2126, -7517, 1},  {0x212A, 0x212A, -8383, 1},  {0x212B, 0x212B, -8262, 1},
    {0x2132, 0x2132, 28, 1},     {0x2160, 0x216F, 16, 1},     {0x2183, 0x2183, 1, 1},
    {0x24B6, 0x24CF, 26, 1},     {0x2C00, 0x2C2F, 48, 1},     {0x2C60, 0x2C60, 1, 1},
    {0x2C62, 0x2C62, -10743, 1}, {0x2C63, 0x2C63, -3814, 1},  {0x2C64, 0x2C64, -10727, 1},
    {0x2C67, 0x2C6B, 1, 2},      {0x2C6D, 0x2C6D, -10780, 1}, {0x2C6E, 0x2C6E, -10749, 1},
    {0x2C6F, 0x2C6F, -10783, 1}, {0x2C70, 0x2C70, -10782, 1}, {0x2C72, 0x2C72, 1, 1},
    {0x2C75, 0x2C75, 1, 1},      {0x2C7E, 0x2C7F, -10815, 1}, {0x2C80, 0x2CE2, 1, 2},
    {0x2CEB, 0x2CED, 1, 2},      {0x2CF2, 0x2CF2, 1, 1},      {0xA640, 0xA66C, 1, 2},
    {0xA680, 0xA69A, 1, 2},      {0xA722, 0xA72E, 1, 2},      {0xA732, 0xA76E, 1, 2},
    {0xA779, 0xA77B, 1, 2},      {0xA77D, 0xA77D, -35332, 1}, {0xA77E, 0xA786, 1, 2},
    {0xA78B, 0xA78B, 1, 1},      {0xA78D, 0xA78D, -42280, 1}, {0xA790, 0xA792, 1, 2},
    {0xA796, 0xA7A8, 1, 2},      {0xA7AA, 0xA7AA, -42308, 1}, {0xA7AB, 0xA7AB, -42319, 1},
    {0xA7AC, 0xA7AC, -42315, 1}, {0xA7AD, 0xA7AD, -42305, 1}, {0xA7AE, 0xA7AE, -42308, 1},
    {0xA7B0, 0xA7B0, -42258, 1}, {0xA7B1, 0xA7B1, -42282, 1}, {0xA7B2, 0xA7B2, -42261, 1},
    {0xA7B3, 0xA7B3, 928, 1},    {0xA7B4, 0xA7C2, 1, 2},      {0xA7C4, 0xA7C4, -48, 1},
    {0xA7C5, 0xA7C5, -42307, 1}, {0xA7C6, 0xA7C6, -35384, 1}, {0xA7C7, 0xA7C9, 1, 2},
    {0xA7D0, 0xA7D0, 1, 1},      {0xA7D6, 0xA7D8, 1, 2},      {0xA7F5, 0xA7F5, 1, 1},
    {0xAB70, 0xABBF, -38864, 1}, {0xFF21, 0xFF3A, 32, 1},     {0x10400, 0x10427, 40, 1},
    {0x104B0, 0x104D3, 40, 1},   {0x10570, 0x1057A, 39, 1},   {0x1057C, 0x1058A, 39, 1},
    {0x1058C, 0x10592, 39, 1},   {0x10594, 0x10595, 39, 1},   {0x10C80, 0x10CB2, 64, 1},
    {0x118A0, 0x118BF, 32, 1},   {0x16E40, 0x16E5F, 32, 1},   {0x1E900, 0x1E921, 34, 1},
};
constexpr FoldMany kMany[] = {
    {0xDF, "\x73\x73"},
    {0x130, "\x69\xcc\x87"},
    {0x149, "\xca\xbc\x6e"},
    {0x1F0, "\x6a\xcc\x8c"},
    {0x390, "\xce\xb9\xcc\x88\xcc\x81"},
    {0x3B0, "\xcf\x85\xcc\x88\xcc\x81"},
    {0x587, "\xd5\xa5\xd6\x82"},
    {0x1E96, "\x68\xcc\xb1"},
    {0x1E97, "\x74\xcc\x88"},
    {0x1E98, "\x77\xcc\x8a"},
    {0x1E99, "\x79\xcc\x8a"},
    {0x1E9A, "\x61\xca\xbe"},
    {0x1E9E, "\x73\x73"},
    {0x1F50, "\xcf\x85\xcc\x93"},
    {0x1F52, "\xcf\x85\xcc\x93\xcc\x80"},
    {0x1F54, "\xcf\x85\xcc\x93\xcc\x81"},
    {0x1F56, "\xcf\x85\xcc\x93\xcd\x82"},
    {0x1F80, "\xe1\xbc\x80\xce\xb9"},
    {0x1F81, "\xe1\xbc\x81\xce\xb9"},
    {0x1F82, "\xe1\xbc\x82\xce\xb9"},
    {0x1F83, "\xe1\xbc\x83\xce\xb9"},
    {0x1F84, "\xe1\xbc\x84\xce\xb9"},
    {0x1F85, "\xe1\xbc\x85\xce\xb9"},
    {0x1F86, "\xe1\xbc\x86\xce\xb9"},
    {0x1F87, "\xe1\xbc\x87\xce\xb9"},
    {0x1F88, "\xe1\xbc\x80\xce\xb9"},
    {0x1F89, "\xe1\xbc\x81\xce\xb9"},
    {0x1F8A, "\xe1\xbc\x82\xce\xb9"},
    {0x1F8B, "\xe1\xbc\x83\xce\xb9"},
    {0x1F8C, "\xe1\xbc\x84\xce\xb9"},
    {0x1F8D, "\xe1\xbc\x85\xce\xb9"},
    {0x1F8E, "\xe1\xbc\x86\xce\xb9"},
    {0x1F8F, "\xe1\xbc\x87\xce\xb9"},
    {0x1F90, "\xe1\xbc\xa0\xce\xb9"},
    {0x1F91, "\xe1\xbc\xa1\xce\xb9"},
    {0x1F92, "\xe1\xbc\xa2\xce\xb9"},
    {0x1F93, "\xe1\xbc\xa3\xce\xb9"},
    {0x1F94, "\xe1\xbc\xa4\xce\xb9"},
    {0x1F95, "\xe1\xbc\xa5\xce\xb9"},
    {0x1F96, "\xe1\xbc\xa6\xce\xb9"},
    {0x1F97, "\xe1\xbc\xa7\xce\xb9"},
    {0x1F98, "\xe1\xbc\xa0\xce\xb9"},
    {0x1F99, "\xe1\xbc\xa1\xce\xb9"},
    {0x1F9A, "\xe1\xbc\xa2\xce\xb9"},
    {0x1F9B, "\xe1\xbc\xa3\xce\xb9"},
    {0x1F9C, "\xe1\xbc\xa4\xce\xb9"},
    {0x1F9D, "\xe1\xbc\xa5\xce\xb9"},
    {0x1F9E, "\xe1\xbc\xa6\xce\xb9"},
    {0x1F9F, "\xe1\xbc\xa7\xce\xb9"},
    {0x1FA0, "\xe1\xbd\xa0\xce\xb9"},
    {0x1FA1, "\xe1\xbd\xa1\xce\xb9"},
    {0x1FA2, "\xe1\xbd\xa2\xce\xb9"},
    {0x1FA3, "\xe1\xbd\xa3\xce\xb9"},
    {0x1FA4, "\xe1\xbd\xa4\xce\xb9"},
    {0x1FA5, "\xe1\xbd\xa5\xce\xb9"},
    {0x1FA6, "\xe1\xbd\xa6\xce\xb9"},
    {0x1FA7, "\xe1\xbd\xa7\xce\xb9"},
    {0x1FA8, "\xe1\xbd\xa0\xce\xb9"},
    {0x1FA9, "\xe1\xbd\xa1\xce\xb9"},
    {0x1FAA, "\xe1\xbd\xa2\xce\xb9"},
    {0x1FAB, "\xe1\xbd\xa3\xce\xb9"},
    {0x1FAC, "\xe1\xbd\xa4\xce\xb9"},
    {0x1FAD, "\xe1\xbd\xa5\xce\xb9"},
    {0x1FAE, "\xe1\xbd\xa6\xce\xb9"},
    {0x1FAF, "\xe1\xbd\xa7\xce\xb9"},
    {0x1FB2, "\xe1\xbd\xb0\xce\xb9"},
    {0x1FB3, "\xce\xb1\xce\xb9"},
    {0x1FB4, "\xce\xac\xce\xb9"},
    {0x1FB6, "\xce\xb1\xcd\x82"},
    {0x1FB7, "\xce\xb1\xcd\x82\xce\xb9"},
    {0x1FBC, "\xce\xb1\xce\xb9"},
    {0x1FC2, "\xe1\xbd\xb4\xce\xb9"},
    {0x1FC3, "\xce\xb7\xce\xb9"},
    {0x1FC4, "\xce\xae\xce\xb9"},
    {0x1FC6, "\xce\xb7\xcd\x82"},
    {0x1FC7, "\xce\xb7\xcd\x82\xce\xb9"},
    {0x1FCC, "\xce\xb7\xce\xb9"},
    {0x1FD2, "\xce\xb9\xcc\x88\xcc\x80"},
    {0x1FD3, "\xce\xb9\xcc\x88\xcc\x81"},
    {0x1FD6, "\xce\xb9\xcd\x82"},
    {0x1FD7, "\xce\xb9\xcc\x88\xcd\x82"},
    {0x1FE2, "\xcf\x85\xcc\x88\xcc\x80"},
    {0x1FE3, "\xcf\x85\xcc\x88\xcc\x81"},
    {0x1FE4, "\xcf\x81\xcc\x93"},
    {0x1FE6, "\xcf\x85\xcd\x82"},
    {0x1FE7, "\xcf\x85\xcc\x88\xcd\x82"},
    {0x1FF2, "\xe1\xbd\xbc\xce\xb9"},
    {0x1FF3, "\xcf\x89\xce\xb9"},
    {0x1FF4, "\xcf\x8e\xce\xb9"},
    {0x1FF6, "\xcf\x89\xcd\x82"},
    {0x1FF7, "\xcf\x89\xcd\x82\xce\xb9"},
    {0x1FFC, "\xcf\x89\xce\xb9"},
    {0xFB00, "\x66\x66"},
    {0xFB01, "\x66\x69"},
    {0xFB02, "\x66\x6c"},
    {0xFB03, "\x66\x66\x69"},
    {0xFB04, "\x66\x66\x6c"},
    {0xFB05, "\x73\x74"},
    {0xFB06, "\x73\x74"},
    {0xFB13, "\xd5\xb4\xd5\xb6"},
    {0xFB14, "\xd5\xb4\xd5\xa5"},
    {0xFB15, "\xd5\xb4\xd5\xab"},
    {0xFB16, "\xd5\xbe\xd5\xb6"},
    {0xFB17, "\xd5\xb4\xd5\xad"},
};

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes the well-formed UTF-8 sequence at text[i], setting its length; 0 when there is none
// (a stray byte, an overlong form, a surrogate, or a sequence cut short).
char32_t Decode(std::string_view text, size_t i, size_t& length) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = byte(0);
    length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || i + length > text.size()) {
        return length = 0;
    }
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) {
            return length = 0;
        }
        c = (c << 6) | (byte(k) & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return length = 0;
    }
    return c;
}

void AppendFolded(char32_t c, std::string& out) {
    const auto many = std::lower_bound(std::begin(kMany), std::end(kMany), c,
                                       [](const FoldMany& m, char32_t v) { return m.from < v; });
    if (many != std::end(kMany) && many->from == c) {
        out += many->to;
        return;
    }
    const auto run = std::upper_bound(std::begin(kRuns), std::end(kRuns), c,
                                      [](char32_t v, const FoldRun& r) { return v < r.first; });
    if (run != std::begin(kRuns)) {
        const FoldRun& r = *std::prev(run);
        if (c <= r.last && (c - r.first) % r.stride == 0) {
            c = static_cast<char32_t>(static_cast<int32_t>(c) + r.delta);
        }
    }
    AppendUtf8(c, out);
}

}  // namespace

std::string CaseFold::Fold(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t length = 0;
        const char32_t c = Decode(text, i, length);
        if (length == 0) {
            folded += text[i++];  // not UTF-8: the byte as it is
            continue;
        }
        AppendFolded(c, folded);
        i += length;
    }
    return folded;
}

}  // namespace platform
