#include "backend/ordered_replacement.h"

#include <gtest/gtest.h>

#include <random>

#include "foundation/text.h"

namespace quenlo {
namespace {

// The plain sequence: one full replacement per rule, in order.
std::string replace_one_by_one(std::string text, const std::vector<NameReplacement>& rules) {
    for (const NameReplacement& rule : rules) text = replace_all(text, rule.name, rule.replacement);
    return text;
}

std::string replace_in_one_scan(const std::vector<NameReplacement>& rules, std::string_view text) {
    OrderedReplacement replacement(rules);
    return replacement.apply(text);
}

TEST(OrderedReplacement, ReplacesEveryOccurrenceOfEveryName) {
    EXPECT_EQ(replace_in_one_scan({{"o_id", "_fu0"}, {"g_var", "_fu19"}},
                                  "window.o_id.length; g_var[o_id]"),
              "window._fu0.length; _fu19[_fu0]");
    EXPECT_EQ(replace_in_one_scan({{"ab", "X"}}, "abab ab"), "XX X");
    EXPECT_EQ(replace_in_one_scan({{"aa", "b"}}, "aaa"), "ba");  // left to right, no overlap
}

TEST(OrderedReplacement, NoNamesOrNoOccurrenceLeavesTheTextAlone) {
    EXPECT_EQ(replace_in_one_scan({}, "some text_here\r\n"), "some text_here\r\n");
    EXPECT_EQ(replace_in_one_scan({{"", "never"}}, "abc"), "abc");
    EXPECT_EQ(replace_in_one_scan({{"zz_", "y"}}, ""), "");
    EXPECT_EQ(replace_in_one_scan({{"g_mes", "x"}}, "g_me s"), "g_me s");
}

TEST(OrderedReplacement, AnEarlierNameConsumesPartOfALaterOne) {
    // "g_room" comes first, so "g_roomids" is left as "_fu23ids".
    EXPECT_EQ(
        replace_in_one_scan({{"g_room", "_fu23"}, {"g_roomids", "_fu61"}}, "g_roomids g_room"),
        "_fu23ids _fu23");
    // A longer name before its prefix gets its own replacement.
    EXPECT_EQ(replace_in_one_scan({{"g_mext", "A"}, {"g_mex", "B"}}, "g_mext g_mex"), "A B");
    // Deleting "f_use" from "f_use_" leaves the underscore.
    EXPECT_EQ(replace_in_one_scan({{"f_use", ""}, {"f_use_", ""}}, "f_use_(x)"), "_(x)");
}

TEST(OrderedReplacement, ANameFormedByAnEarlierReplacementIsReplacedLikeTheSequenceDoes) {
    // Deleting "o_id" joins "g_use" and "_x" into "g_use_x", which the later
    // "g_use_" then finds.
    EXPECT_EQ(replace_in_one_scan({{"o_id", ""}, {"g_use_", "U"}}, "g_useo_id_x"), "Ux");
    // A name formed after its own turn stays.
    EXPECT_EQ(replace_in_one_scan({{"ab", ""}}, "aabb"), "ab");
    // An inserted text is never scanned for the same name again.
    EXPECT_EQ(replace_in_one_scan({{"ab", "xaby"}}, "ab"), "xaby");
    // ... but a later name may find it.
    EXPECT_EQ(replace_in_one_scan({{"ab", "x_y"}, {"_", "-"}}, "ab_"), "x-y-");
}

TEST(OrderedReplacement, RepeatedNamesActOnlyOnWhatTheirTurnFinds) {
    EXPECT_EQ(replace_in_one_scan({{"ab", "a"}, {"ab", "Z"}}, "abb"), "Z");
    EXPECT_EQ(replace_in_one_scan({{"ab", "Q"}, {"b", "c"}, {"ab", "Z"}}, "abb aab"), "Qc aQ");
}

TEST(OrderedReplacement, NamesWithSeparatorsAndLineBreaksStillMatch) {
    EXPECT_EQ(replace_in_one_scan({{"'_'", ""}, {"_de(", "D("}}, "x = '_'; _de('a')"),
              "x = ; D('a')");
    EXPECT_EQ(replace_in_one_scan({{"a\r\nb", "+"}}, "xa\r\nby a\nb"), "x+y a\nb");
    EXPECT_EQ(replace_in_one_scan({{"\xC2\xB0", "o"}}, "90\xC2\xB0 caf\xC3\xA8"),
              "90o caf\xC3\xA8");
}

TEST(OrderedReplacement, AppendsToWhatTheOutputHolds) {
    OrderedReplacement replacement(std::vector<NameReplacement>{{"_x_", "1"}});
    std::string out = "kept:";
    replacement.apply("a _x_ b", out);
    replacement.apply(" _x_", out);
    EXPECT_EQ(out, "kept:a 1 b 1");
}

// The one-scan result must be the sequence's for any names, replacements and
// text. Small alphabets make prefixes, overlaps, repeated names and names
// formed by earlier replacements frequent.
TEST(OrderedReplacement, MatchesTheOneByOneSequenceOnRandomInput) {
    std::mt19937 random(20240607);
    const std::string alphabet = "ab_c. \r\n";
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    const auto random_text = [&](std::size_t max_length, std::string_view letters) {
        std::string text(pick(max_length + 1), ' ');
        for (char& c : text) c = letters[pick(letters.size())];
        return text;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string_view name_letters =
            round % 4 == 0 ? std::string_view(alphabet) : std::string_view("ab_c");
        std::vector<NameReplacement> rules(pick(12));
        for (NameReplacement& rule : rules) {
            rule.name = random_text(4, name_letters);
            rule.replacement = random_text(3, alphabet);
        }
        const std::string text = random_text(60, alphabet);
        ASSERT_EQ(replace_in_one_scan(rules, text), replace_one_by_one(text, rules))
            << "round " << round << " text \"" << text << "\"";
    }
}

}  // namespace
}  // namespace quenlo
