#include "platform/uikit/UIFont.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using coregraphics::CGFloat;
using namespace uikit;

namespace {

TEST(Font, MetricsScaleWithThePointSize) {
    const UIFont small = UIFont::systemFont(10);
    EXPECT_GT(small.ascender(), 0);
    EXPECT_LT(small.descender(), 0);
    EXPECT_DOUBLE_EQ(UIFont::systemFont(20).lineHeight(), 2 * small.lineHeight());
    // Inter's line is about 1.21 em, as the system font's is about 1.2 em.
    EXPECT_NEAR(small.lineHeight() / 10, 1.21, 0.03);
    EXPECT_DOUBLE_EQ(UIFont::systemFont(-3).pointSize(), 0);
    EXPECT_EQ(UIFont::systemFont(17), UIFont::systemFont(17, UIFontWeight::regular));
    EXPECT_NE(UIFont::systemFont(12), UIFont::systemFont(12, UIFontWeight::bold));
}

TEST(TextMeasurement, LongerTextIsWiderAndHeavierWeightIsWider) {
    const std::string text = "Login with VY ID";
    const CGFloat shortWidth = sizeWithFont("Login", UIFont::systemFont(14)).width;
    const CGFloat regular = sizeWithFont(text, UIFont::systemFont(14)).width;
    EXPECT_GT(regular, shortWidth);
    CGFloat previous = regular;
    for (UIFontWeight weight : {UIFontWeight::medium, UIFontWeight::semibold, UIFontWeight::bold}) {
        const CGFloat width = sizeWithFont(text, UIFont::systemFont(14, weight)).width;
        EXPECT_GT(width, previous) << "weight " << weight.rawValue;
        previous = width;
    }
    EXPECT_NEAR(sizeWithFont(text, UIFont::systemFont(28)).width, 2 * regular, 1e-9);
    // Real glyph widths, not a character count: "W" is wider than "i".
    EXPECT_GT(UIFont::systemFont(14).width("WWWW"), 2 * UIFont::systemFont(14).width("iiii"));
}

TEST(TextMeasurement, LinesBreakAtWordsAndLineBreaksWithinTheWidthAndLimit) {
    const UIFont font = UIFont::systemFont(14);
    const std::string sentence = "This is a secure way to log in with your bank";
    const CGFloat width = font.width("This is a secure way") + 1;
    // Columns: what, text, width (0: no limit), line limit, lines, truncated.
    const std::tuple<const char*, std::string, CGFloat, int, std::vector<std::string>, bool> cases[] = {
        {"wraps at words", sentence, width, 0, {"This is a secure way", "to log in with your", "bank"}, false},
        {"text as wide as the line fits", "two words", font.width("two words"), 0, {"two words"}, false},
        {"line breaks start lines", "first line\nsecond", 0, 0, {"first line", "second"}, false},
        {"a final line break adds no line", "one\n", 0, 0, {"one"}, false},
        {"empty lines count", "\n\n", 0, 0, {"", ""}, false},
        {"empty text is one line", "", 100, 2, {""}, false},
        {"within the limit", "fits", 200, 1, {"fits"}, false},
        {"paragraphs past the limit", "first\nsecond", 0, 1, {"first\u2026"}, true},
    };
    for (const auto& [name, text, lineWidth, numberOfLines, lines, truncated] : cases) {
        SCOPED_TRACE(name);
        const TextLayout layout = layoutText(text, font, lineWidth, numberOfLines);
        std::vector<std::string> texts;
        CGFloat widest = 0;
        for (const TextLine& line : layout.lines) {
            texts.push_back(line.text);
            widest = std::max(widest, line.width);
            if (lineWidth > 0) {
                EXPECT_LE(line.width, lineWidth);
            }
        }
        EXPECT_EQ(std::tuple(texts, layout.truncated, layout.size),
                  std::tuple(lines, truncated, CGSize{widest, lines.size() * font.lineHeight()}));
    }
    // Cut at the limit, the last line ends with an ellipsis and still fits.
    const TextLayout limited = layoutText(sentence, font, width, 2);
    ASSERT_EQ(limited.lineCount(), 2u);
    EXPECT_EQ(limited.lines[1].text.substr(limited.lines[1].text.size() - 3), "\u2026");
    EXPECT_LE(limited.lines[1].width, width);
}

TEST(TextMeasurement, WordWiderThanTheLineBreaksBetweenCharacters) {
    const UIFont font = UIFont::systemFont(14);
    const std::string word = "Supercalifragilistic";
    const CGFloat width = font.width("Supercali") + 0.5;
    const TextLayout layout = layoutText("a " + word, font, width);
    ASSERT_GE(layout.lineCount(), 3u);
    EXPECT_EQ(layout.lines[0].text, "a");
    std::string rejoined;
    for (std::size_t i = 1; i < layout.lineCount(); ++i) {
        EXPECT_LE(layout.lines[i].width, width);
        EXPECT_FALSE(layout.lines[i].text.empty());
        rejoined += layout.lines[i].text;
    }
    EXPECT_EQ(rejoined, word) << "no character is lost or repeated";

    const TextLayout narrow = layoutText("\xC3\xA9t\xC3\xA9", font, 1);
    ASSERT_EQ(narrow.lineCount(), 3u) << "one character per line when not even one fits";
    EXPECT_EQ(narrow.lines[0].text, "\xC3\xA9") << "never split inside a character";
}

} // namespace
