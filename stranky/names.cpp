// The Czech sort key of names decoded to UTF-8.
#include "names.hpp"

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
