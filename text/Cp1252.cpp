#include "text/Cp1252.h"

namespace quillet {

namespace {

// Characters of bytes 0x80..0x9F. The five bytes without a character map to
// the C1 control of their own code.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

char32_t CharOfByte(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) return kHigh[b - 0x80];
    return b;
}

// The byte of a character, or -1 when Windows-1252 has none.
int ByteOfChar(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c) return 0x80 + i;
    }
    return -1;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        // Every character of the code page lies below U+10000.
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// One step of UTF-8 decoding: the character at `pos` and how many bytes it
// took, or kIllFormed and the length of the maximal ill-formed part (>= 1).
constexpr char32_t kIllFormed = 0xFFFFFFFF;

struct Decoded {
    char32_t c;
    std::size_t length;
};

Decoded DecodeAt(std::string_view s, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(pos);
    if (b0 < 0x80) return {b0, 1};

    std::size_t need;
    char32_t c;
    // The range allowed for the second byte rules out overlong forms,
    // surrogates and values past U+10FFFF.
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1;
        c = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2;
        c = b0 & 0x0F;
        if (b0 == 0xE0) lo = 0xA0;
        if (b0 == 0xED) hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3;
        c = b0 & 0x07;
        if (b0 == 0xF0) lo = 0x90;
        if (b0 == 0xF4) hi = 0x8F;
    } else {
        return {kIllFormed, 1};
    }

    for (std::size_t k = 1; k <= need; ++k) {
        if (pos + k >= s.size()) return {kIllFormed, k};
        const unsigned char b = byte(pos + k);
        const bool ok = k == 1 ? (b >= lo && b <= hi) : (b >= 0x80 && b <= 0xBF);
        if (!ok) return {kIllFormed, k};
        c = (c << 6) | (b & 0x3F);
    }
    return {c, need + 1};
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) AppendUtf8(out, CharOfByte(static_cast<unsigned char>(ch)));
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Decoded d = DecodeAt(utf8, pos);
        pos += d.length;
        const int b = d.c == kIllFormed ? -1 : ByteOfChar(d.c);
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

bool FitsCp1252(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Decoded d = DecodeAt(utf8, pos);
        if (d.c == kIllFormed || ByteOfChar(d.c) < 0) return false;
        pos += d.length;
    }
    return true;
}

}  // namespace quillet
