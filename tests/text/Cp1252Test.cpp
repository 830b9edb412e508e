#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "text/Cp1252.h"

namespace quillet {
namespace {

// UTF-8 of one code point, written out here so the test does not lean on the
// encoder it checks.
std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

TEST(Cp1252, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string utf8 = Cp1252ToUtf8(one);
        EXPECT_TRUE(FitsCp1252(utf8)) << b;
        EXPECT_EQ(Utf8ToCp1252(utf8), one) << b;
        all += one;
    }
    ASSERT_EQ(all.size(), 256u);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ToUtf8(""), "");
    EXPECT_EQ(Utf8ToCp1252(""), "");
}

TEST(Cp1252, BytesMapToTheirCharacters) {
    const std::vector<std::pair<int, char32_t>> cases = {
        {0x00, 0x0000},
        {0x41, 0x0041},
        {0x7F, 0x007F},
        {0x80, 0x20AC},  // euro sign
        {0x85, 0x2026},  // ellipsis
        {0x8A, 0x0160},
        {0x92, 0x2019},
        {0x93, 0x201C},
        {0x94, 0x201D},  // double quotes
        {0x96, 0x2013},
        {0x99, 0x2122},
        {0x9F, 0x0178},
        // No character in the code page: the C1 control of the same code.
        {0x81, 0x0081},
        {0x8D, 0x008D},
        {0x8F, 0x008F},
        {0x90, 0x0090},
        {0x9D, 0x009D},
        {0xA0, 0x00A0},
        {0xB0, 0x00B0},
        {0xB4, 0x00B4},
        {0xBF, 0x00BF},
        {0xD1, 0x00D1},
        {0xED, 0x00ED},
        {0xFF, 0x00FF},
    };
    for (const auto& [byte, c] : cases) {
        EXPECT_EQ(Cp1252ToUtf8(std::string(1, static_cast<char>(byte))), Utf8(c)) << std::hex << byte;
    }
}

TEST(Cp1252, TextsConvertToTheFileBytes) {
    EXPECT_EQ(Utf8ToCp1252("Sin Título"), "Sin T\xEDtulo");
    EXPECT_EQ(Cp1252ToUtf8("Sin T\xEDtulo"), "Sin Título");
    EXPECT_EQ(Utf8ToCp1252("€“”"), "\x80\x93\x94");
    EXPECT_EQ(Cp1252ToUtf8("\x80\x93\x94"), "€“”");
    EXPECT_EQ(Utf8ToCp1252("¿Desea guardar? Sí, 22,5° Ñ"),
              "\xBF"
              "Desea guardar? S\xED, 22,5\xB0 \xD1");
    EXPECT_EQ(Utf8ToCp1252(std::string("a\0b", 3)), std::string("a\0b", 3));
}

// Characters outside the code page become "?", one per character, and
// FitsCp1252 says so beforehand.
TEST(Cp1252, UnmappableCharactersBecomeQuestionMarks) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"日本", "??"},
        {Utf8(0x0100), "?"},   // Ā
        {Utf8(0x0080), "?"},   // byte 0x80 is the euro sign, not U+0080
        {Utf8(0x009F), "?"},   // byte 0x9F is Ÿ
        {Utf8(0x1F600), "?"},  // four-byte character
        {"a€b" + Utf8(0x1F600) + "c",
         "a\x80"
         "b?c"},
        {Utf8(0xFFFD), "?"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(Utf8ToCp1252(in), out) << in;
        EXPECT_FALSE(FitsCp1252(in)) << in;
    }
    EXPECT_TRUE(FitsCp1252("Plain, Ñandú, €“”, Ÿ"));
}

// Ill-formed UTF-8 never crashes; each maximal ill-formed part becomes one "?"
// and the text after it is kept.
TEST(Cp1252, InvalidUtf8) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\x80", "?"},  // stray continuation byte
        {"a\xBF"
         "b",
         "a?b"},
        {"\xC3", "?"},  // truncated at the end
        {"\xC3"
         "A",
         "?A"},  // truncated by a new character
        {"\xE2\x82", "?"},
        {"\xE2\x82"
         "A",
         "?A"},
        {"\xF0\x9F\x98", "?"},
        {"\xF0\x9F\x98"
         "x",
         "?x"},
        {"\xC0\xAF", "??"},  // overlong "/"
        {"\xC1\xBF", "??"},
        {"\xE0\x80\xAF", "???"},       // overlong, three bytes
        {"\xED\xA0\x80", "???"},       // surrogate
        {"\xF4\x90\x80\x80", "????"},  // past U+10FFFF
        {"\xF5\x80", "??"},
        {"\xFF\xFE"
         "ok",
         "??ok"},
        {"\xC3\xA9\xC3", "\xE9?"},  // é then a truncated one
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(Utf8ToCp1252(in), out);
        EXPECT_FALSE(FitsCp1252(in));
    }
}

// No two characters share a byte: whatever converts to something other than
// "?" converts back to itself.
TEST(Cp1252, MappingIsOneToOne) {
    int mapped = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const std::string in = Utf8(c);
        const std::string out = Utf8ToCp1252(in);
        ASSERT_EQ(out.size(), 1u) << std::hex << static_cast<unsigned>(c);
        if (c == '?' || out != "?") {
            EXPECT_EQ(Cp1252ToUtf8(out), in) << std::hex << static_cast<unsigned>(c);
            EXPECT_TRUE(FitsCp1252(in)) << std::hex << static_cast<unsigned>(c);
            ++mapped;
        } else {
            EXPECT_FALSE(FitsCp1252(in)) << std::hex << static_cast<unsigned>(c);
        }
    }
    EXPECT_EQ(mapped, 256);
}

}  // namespace
}  // namespace quillet
