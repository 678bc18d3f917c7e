// The icon as an ICO file of one 16x16 picture in 32-bit colour, drawn from a pattern here.
#include "site_icon.hpp"

#include <array>
#include <cstdint>

namespace {

constexpr std::uint32_t kSize = 16;

// Top row first: '#' the header's blue, 'o' white, '.' transparent.
constexpr std::array<const char*, kSize> kPattern = {
    ".##############.", "################", "##oooooooooooo##", "##oooooooooooo##", "######oooo######",
    "######oooo######", "######oooo######", "######oooo######", "######oooo######", "######oooo######",
    "######oooo######", "######oooo######", "######oooo######", "######oooo######", "################",
    ".##############."};

void little(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string siteIcon() {
    constexpr std::uint32_t kPixels = kSize * kSize * 4, kMask = kSize * 4, kHeader = 40;
    std::string ico;
    // The file's header: an icon file of one picture, 16x16 without a palette, 32 bits per pixel,
    // its size and where it starts.
    for (std::uint32_t value : {0u, 1u, 1u}) little(ico, value, 2);
    for (std::uint32_t value : {kSize, kSize, 0u, 0u}) little(ico, value, 1);
    for (std::uint32_t value : {1u, 32u}) little(ico, value, 2);
    for (std::uint32_t value : {kHeader + kPixels + kMask, 22u}) little(ico, value, 4);
    // The picture's header: twice the height, for the colours and the mask above them.
    for (std::uint32_t value : {kHeader, kSize, 2 * kSize}) little(ico, value, 4);
    for (std::uint32_t value : {1u, 32u}) little(ico, value, 2);
    for (std::uint32_t value : {0u, kPixels, 0u, 0u, 0u, 0u}) little(ico, value, 4);
    for (std::uint32_t row = kSize; row-- > 0;)  // bottom row first
        for (std::uint32_t column = 0; column < kSize; ++column) {
            const char c = kPattern[row][column];
            little(ico, c == '#' ? 0xFF0D3B66 : c == 'o' ? 0xFFFFFFFF : 0, 4);  // ARGB, stored as BGRA
        }
    ico.append(kMask, '\0');  // the alpha channel decides; the mask shows everything
    return ico;
}
