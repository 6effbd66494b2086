#include "foundation/text.h"

#include <gtest/gtest.h>

namespace quenlo {
namespace {

TEST(Trim, RemovesControlsAndBlanksAtBothEndsOnly) {
    EXPECT_EQ(trim(" \t\r\n a b \x01"), "a b");
    EXPECT_EQ(trim(""), "");
    EXPECT_EQ(trim("   "), "");
    EXPECT_EQ(trim("è "), "è");  // bytes of accented letters are never trimmed
}

TEST(ReplaceAll, LeftToRightWithoutRescanningInsertedText) {
    EXPECT_EQ(replace_all("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replace_all("xPx", "P", "PP"), "xPPx");
    EXPECT_EQ(replace_all("abc", "", "z"), "abc");
    std::string s = "}a}";
    EXPECT_EQ(replace_all_in_place(s, "}", ";}"), 2u);
    EXPECT_EQ(s, ";}a;}");
    EXPECT_EQ(replace_all_in_place(s, "zz", "y"), 0u);
}

// A page filled placeholder by placeholder, as a build does, against the
// copying replacement: values longer and shorter than their placeholder, one
// that brings in another placeholder's name, and one placeholder never there.
TEST(ReplaceAllInPlace, FillsAPageLikeTheCopyingReplacement) {
    std::string page = "<t>___TITLE___</t>\r\n___ROOMS___;___ROOMS___\r\nv=___VAR___;end";
    page.shrink_to_fit();  // the first longer value must outgrow the capacity
    std::string copied = page;
    const std::pair<std::string_view, std::string_view> steps[] = {
        {"___ROOMS___", "rooms(___VAR___, 'a long list of rooms')"},  // longer, twice
        {"___TITLE___", "T"},                                         // shorter
        {"___VAR___", "x"},                                           // also inside the rooms
        {"___MISSING___", "never"},
        {"v=x;", ""},  // to nothing
    };
    for (const auto& [placeholder, value] : steps) {
        std::size_t expected_count = 0;
        for (auto at = copied.find(placeholder); at != std::string::npos;
             at = copied.find(placeholder, at + placeholder.size()))
            ++expected_count;
        copied = replace_all(copied, placeholder, value);
        EXPECT_EQ(replace_all_in_place(page, placeholder, value), expected_count) << placeholder;
        EXPECT_EQ(page, copied) << placeholder;
    }
    EXPECT_EQ(page,
              "<t>T</t>\r\nrooms(x, 'a long list of rooms');rooms(x, 'a long list of "
              "rooms')\r\nend");
}

TEST(Lines, SplitJoinAndFileForm) {
    EXPECT_EQ(join_lines(split_lines("a\r\nb\nc")), "a\r\nb\r\nc");
    EXPECT_EQ(as_crlf_file("a\nb"), "a\r\nb\r\n");
    EXPECT_EQ(as_crlf_file("a\r\n"), "a\r\n");
    EXPECT_EQ(as_crlf_file(""), "");
}

TEST(Utf8, DecodesWholeCharactersAndSurvivesJunk) {
    std::string s = "aè€\xF0\x9F\x98\x80";
    std::size_t pos = 0;
    EXPECT_EQ(next_code_point(s, pos), U'a');
    EXPECT_EQ(next_code_point(s, pos), U'è');
    EXPECT_EQ(next_code_point(s, pos), U'€');
    EXPECT_EQ(next_code_point(s, pos), char32_t{0x1F600});
    EXPECT_EQ(pos, s.size());
    EXPECT_EQ(count_code_points(s), 4u);

    const std::string junk = "\xC3";  // cut short
    pos = 0;
    EXPECT_EQ(next_code_point(junk, pos), replacement_character);
    EXPECT_EQ(pos, 1u);
    EXPECT_FALSE(is_valid_utf8("\xC0\x80"));      // overlong
    EXPECT_FALSE(is_valid_utf8("\xED\xA0\x80"));  // surrogate
    EXPECT_TRUE(is_valid_utf8("plain ascii text longer than eight bytes, and è"));
    EXPECT_TRUE(is_valid_utf8("\xEF\xBF\xBD"));
}

}  // namespace
}  // namespace quenlo
