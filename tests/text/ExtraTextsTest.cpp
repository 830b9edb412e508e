#include <gtest/gtest.h>

#include <set>
#include <string>

#include "text/ExtraTexts.h"
#include "text/Languages.h"

namespace quillet {
namespace {

std::set<std::string> Placeholders(const std::string& s) {
    std::set<std::string> found;
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] == '%' && s[i + 1] >= '1' && s[i + 1] <= '9') found.insert(s.substr(i, 2));
    }
    return found;
}

// A translation that drops or renumbers a placeholder loses the file name or
// the line number from the message.
TEST(ExtraTexts, EveryTextInBothLanguagesWithTheSamePlaceholders) {
    for (int i = 0; i < kExtraTextCount; ++i) {
        const auto id = static_cast<XText>(i);
        const std::string& es = TextIn(kSpanish, id);
        const std::string& en = TextIn(kEnglish, id);
        EXPECT_FALSE(es.empty()) << i;
        EXPECT_FALSE(en.empty()) << i;
        EXPECT_NE(es, en) << i;
        EXPECT_EQ(Placeholders(es), Placeholders(en)) << i;
    }
    EXPECT_EQ(TextIn(kEnglish, static_cast<XText>(kExtraTextCount)), "");
    EXPECT_EQ(TextIn(kEnglish, static_cast<XText>(-1)), "");
}

TEST(ExtraTexts, FormatFillsPlaceholders) {
    EXPECT_EQ(Format(TextIn(kEnglish, XText::ExpectedInteger), 12), "line 12: expected a whole number");
    EXPECT_EQ(Format(TextIn(kSpanish, XText::ExpectedDecimal), 7), "línea 7: se esperaba un número decimal");
    EXPECT_EQ(
        Format(TextIn(kEnglish, XText::CannotRead), "a.QLC", Format(TextIn(kEnglish, XText::UnknownPieceType), 40)),
        "cannot read a.QLC: line 40: unknown piece type");

    // Order, repetition, argument kinds.
    EXPECT_EQ(Format("%2 before %1, %1 again", "one", std::string("two")), "two before one, one again");
    EXPECT_EQ(Format("%1/%2/%3", -3, 4000000000LL, std::string_view("x")), "-3/4000000000/x");
    EXPECT_EQ(Format("%9", 1, 2, 3, 4, 5, 6, 7, 8, 9), "9");

    // One pass: a "%" in an argument is not read as a placeholder.
    EXPECT_EQ(Format("%1 and %2", "%2", "b"), "%2 and b");
    // "%%" is a percent sign; anything unmatched stays visible.
    EXPECT_EQ(Format("100%% of %1", "x"), "100% of x");
    EXPECT_EQ(Format("%1 %2 %3", "a"), "a %2 %3");
    EXPECT_EQ(Format("%0 %a % end %"), "%0 %a % end %");
    EXPECT_EQ(Format("%%1", "x"), "%1");
    EXPECT_EQ(Format(""), "");
}

}  // namespace
}  // namespace quillet
