// Names from osoby.dat decoded to UTF-8 (UTF-8 kept, Windows-1250 converted by a full table of
// its upper half) and their Czech sort key.
#include "names.hpp"

#include <array>
#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1250 from 0x80 to 0xFF; the five bytes the code page leaves undefined are U+FFFD.
constexpr std::array<char16_t, 128> kWindows1250 = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021, 0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

// The code point starting at pos of valid UTF-8; pos moves past it.
char32_t nextCodePoint(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (int i = 1; i < length; ++i) c = (c << 6) | (byte(pos + static_cast<std::size_t>(i)) & 0x3F);
    pos += static_cast<std::size_t>(length);
    return c;
}

void appendUtf8(std::string& out, char32_t c) {
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

// What a page may hold in place of the character: controls as blanks, noncharacters replaced.
char32_t printable(char32_t c) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return U' ';
    if ((c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE) return kReplacement;
    return c;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        int length = 0;
        char32_t least = 0;
        if (lead < 0x80) length = 1;
        else if (lead >= 0xC2 && lead <= 0xDF) length = 2, least = 0x80;
        else if (lead >= 0xE0 && lead <= 0xEF) length = 3, least = 0x800;
        else if (lead >= 0xF0 && lead <= 0xF4) length = 4, least = 0x10000;
        else return false;
        if (pos + static_cast<std::size_t>(length) > bytes.size()) return false;
        for (int i = 1; i < length; ++i)
            if ((static_cast<unsigned char>(bytes[pos + static_cast<std::size_t>(i)]) & 0xC0) != 0x80) return false;
        const char32_t c = nextCodePoint(bytes, pos);
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    }
    return true;
}

std::string nameAsUtf8(std::string_view bytes) {
    std::string name;
    if (isValidUtf8(bytes)) {
        for (std::size_t pos = 0; pos < bytes.size();) appendUtf8(name, printable(nextCodePoint(bytes, pos)));
    } else {
        for (char byte : bytes) {
            const auto b = static_cast<unsigned char>(byte);
            appendUtf8(name, printable(b < 0x80 ? char32_t{b} : char32_t{kWindows1250[b - 0x80]}));
        }
    }
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

namespace {

// The letter a Czech dictionary files a character under, lower case, and whether it is the
// hacek letter that follows its base letter (c-hacek after c).
struct Letter {
    char base;
    bool after;
};

Letter letterOf(char32_t c) {
    if (c < 0x80) return {static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c), false};
    switch (c) {
        case 0xE1: case 0xC1: case 0xE4: case 0xC4: return {'a', false};
        case 0x10D: case 0x10C: return {'c', true};
        case 0x10F: case 0x10E: return {'d', false};
        case 0xE9: case 0xC9: case 0x11B: case 0x11A: case 0xEB: case 0xCB: return {'e', false};
        case 0xED: case 0xCD: return {'i', false};
        case 0x148: case 0x147: return {'n', false};
        case 0xF3: case 0xD3: case 0xF6: case 0xD6: case 0xF4: case 0xD4: return {'o', false};
        case 0x159: case 0x158: return {'r', true};
        case 0x161: case 0x160: return {'s', true};
        case 0x165: case 0x164: return {'t', false};
        case 0xFA: case 0xDA: case 0x16F: case 0x16E: case 0xFC: case 0xDC: return {'u', false};
        case 0xFD: case 0xDD: return {'y', false};
        case 0x17E: case 0x17D: return {'z', true};
        case 0x13A: case 0x139: case 0x13E: case 0x13D: case 0x142: case 0x141: return {'l', false};
        default: return {'\x7f', false};  // anything else after the letters
    }
}

}  // namespace

std::string asciiFolded(std::string_view utf8) {
    std::string folded;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char letter = letterOf(nextCodePoint(utf8, pos)).base;
        folded += letter == '\x7f' ? '?' : letter;
    }
    return folded;
}

std::string trimmedName(std::string_view utf8) {
    std::size_t start = 0;
    while (start < utf8.size() && utf8[start] == ' ') ++start;
    return std::string(utf8.substr(start));
}

std::string czechSortKey(std::string_view utf8) {
    std::string key;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Letter letter = letterOf(nextCodePoint(utf8, pos));
        // ch is one letter, filed between h and i.
        if (letter.base == 'c' && !letter.after && pos < utf8.size() && (utf8[pos] == 'h' || utf8[pos] == 'H')) {
            key += 'h';
            key += '\x02';
            ++pos;
            continue;
        }
        key += letter.base;
        key += letter.after ? '\x02' : '\x01';
    }
    return key;
}

std::string czechInitial(std::string_view utf8) {
    const std::string key = czechSortKey(utf8);
    if (key.size() < 2) return "\u2026";
    const char base = key[0];
    if (key[1] == '\x02') {
        switch (base) {
            case 'c': return "\u010c";
            case 'h': return "Ch";
            case 'r': return "\u0158";
            case 's': return "\u0160";
            case 'z': return "\u017d";
        }
    }
    if (base >= 'a' && base <= 'z') return std::string(1, static_cast<char>(base - 'a' + 'A'));
    if (base > ' ' && base < '\x7f') return std::string(1, base);
    return "\u2026";
}
