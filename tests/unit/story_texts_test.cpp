#include "merges/story_texts.h"
#include "merges/text_expressions.h"

#include <gtest/gtest.h>

#include "support/build_harness.h"

namespace quenlo {
namespace {

constexpr std::string_view story_page =
    "H['___HELP___'] S['___SUCCESS___'] F['___FAIL___'] I['<p>'+'___INTRO___'+'</p>']";

struct Story : test::PhaseHarness {
    explicit Story(const std::map<std::string, std::string>& files) : test::PhaseHarness(files) {
        build.page = story_page;
    }
    std::string merge_all() {
        return error_of([&] { merge_story_texts(build); });
    }
};

TEST(StoryTexts, EachTextAtItsPlaceholderInOrder) {
    Story s(test::Files{{"help.qni", "Tocca le parole sottolineate.\r\n// nota\r\nPoi scegli."},
                        {"success.qni", "Hai vinto con {_vPUNTI_} punti!"},
                        {"fail.qni", "Hai perso {_vMOSSE_}."},
                        {"intro.qni", "Era una notte buia.^\r\n\xC2\xA7\r\nE tempestosa."}});
    ASSERT_EQ(s.merge_all(), "(no error)");
    EXPECT_EQ(s.build.page,
              "H['Tocca le parole sottolineate. Poi scegli.'] "
              "S['Hai vinto con '+_vPUNTI_+' punti!'] "
              "F['Hai perso '+_vMOSSE_+'.'] "
              "I['<p>'+'Era una notte buia.<br> </p>\xC2\xA7<p> E tempestosa.'+'</p>']");
    EXPECT_EQ(s.log_texts(), (std::vector<std::string>{
                                 "Merge file: " + s.project.file("help.qni"),
                                 "Merge file: " + s.project.file("success.qni"),
                                 "Merge file: " + s.project.file("fail.qni"),
                                 "Merge file: " + s.project.file("intro.qni"),
                             }));
}

TEST(StoryTexts, EmptyFilesGiveEmptyTexts) {
    Story s({});
    ASSERT_EQ(s.merge_all(), "(no error)");
    EXPECT_EQ(s.build.page, "H[''] S[''] F[''] I['<p>'+''+'</p>']");
}

TEST(StoryTexts, BracesStayInHelpAndIntroduction) {
    Story s(test::Files{{"help.qni", "{a}"}, {"intro.qni", "{b}"}});
    ASSERT_EQ(s.merge_all(), "(no error)");
    EXPECT_NE(s.build.page.find("H['{a}']"), std::string::npos);
    EXPECT_NE(s.build.page.find("'<p>'+'{b}'+'</p>'"), std::string::npos);
}

TEST(StoryTexts, EveryOccurrenceIsReplacedWithoutALogLine) {
    Story s(test::Files{{"help.qni", "aiuto"}});
    s.build.page = "___HELP___ ___HELP___";
    ASSERT_EQ(
        s.error_of([&] { merge_story_text(s.build, "___HELP___", "help.qni"); }),
        "(no error)");
    EXPECT_EQ(s.build.page, "aiuto aiuto");
    EXPECT_EQ(s.log_texts().size(), 1u);
}

TEST(StoryTexts, UnreadableFileCannotBeMergedAndIsNotAnnounced) {
    Story s({});
    s.project.remove("fail.qni");
    EXPECT_EQ(s.merge_all(), "Unable to merge");
    EXPECT_EQ(s.log_texts().size(), 2u);  // help and success only
}

TEST(StoryTexts, StopRequestAfterEachText) {
    Story s({});
    s.events.on_poll = [&](int polls) {
        if (polls == 2) s.stop = true;
    };
    EXPECT_EQ(s.merge_all(), "");
    EXPECT_EQ(s.log_texts().size(), 1u);
}

TEST(IntroductionCut, ExactlyOnePieceUpTo1024Characters) {
    const std::string exact(1024, 'a');
    EXPECT_EQ(cut_into_pieces(exact), exact);
    EXPECT_EQ(cut_into_pieces(std::string(1025, 'a')), std::string(1024, 'a') + "'+\r\n'" + "a");
    EXPECT_EQ(cut_into_pieces(std::string(2048, 'a')),
              std::string(1024, 'a') + "'+\r\n'" + std::string(1024, 'a'));
    EXPECT_EQ(cut_into_pieces(""), "");
}

TEST(IntroductionCut, CountsCharactersAndNeverSplitsOne) {
    std::string text;
    for (int i = 0; i < 1025; ++i) text += "\xC2\xA7";
    std::string first;
    for (int i = 0; i < 1024; ++i) first += "\xC2\xA7";
    EXPECT_EQ(cut_into_pieces(text), first + "'+\r\n'" + "\xC2\xA7");
}

TEST(IntroductionCut, APieceNeverEndsOnABackslash) {
    // The 1024th character starts an escaped apostrophe.
    const std::string text = std::string(1023, 'a') + "\\'" + "bc";
    EXPECT_EQ(cut_into_pieces(text), std::string(1023, 'a') + "'+\r\n'" + "\\'bc");
    const std::string run = std::string(1022, 'a') + "\\\\\\'" + "b";
    EXPECT_EQ(cut_into_pieces(run), std::string(1022, 'a') + "'+\r\n'" + "\\\\\\'b");
}

TEST(IntroductionCut, LongIntroductionThroughTheMerge) {
    std::string intro;
    for (int i = 0; i < 300; ++i) intro += "L'alba. ";  // 8 characters, 9 when escaped
    Story s(test::Files{{"intro.qni", intro}});
    ASSERT_EQ(s.merge_all(), "(no error)");
    // 2700 converted characters: pieces end before a backslash where needed.
    const std::size_t at = s.build.page.find("'<p>'+'") + 7;
    const std::string merged = s.build.page.substr(at, s.build.page.size() - at - 9);
    std::size_t pieces = 1;
    for (std::size_t joint = merged.find("'+\r\n'"); joint != std::string::npos;
         joint = merged.find("'+\r\n'", joint + 1)) {
        EXPECT_NE(merged[joint - 1], '\\');
        ++pieces;
    }
    EXPECT_EQ(pieces, 3u);
}

TEST(StoryTexts, OnlyBracesAroundAPlainExpressionJoinTheText) {
    // Joined: names, numbers, member and index access, calls, arithmetic.
    EXPECT_EQ(join_expressions("Punti: {_vPUNTI_}."), "Punti: '+_vPUNTI_+'.");
    EXPECT_EQ(join_expressions("{f_nulls(g_var[3]) * 2 + -1}{a.b(c, 1.5)}"),
              "'+f_nulls(g_var[3]) * 2 + -1+''+a.b(c, 1.5)+'");
    // Kept as characters: whatever would leave the string open or the
    // script unable to parse.
    for (const std::string kept : {"{", "}", "{ }", "{a", "a}", "{a b}", "{a(}", "{+}", "{1a}",
                                   "{a=1}", "{\\'x\\'}", "{&lt;}", "{a[}]}", "{.}"}) {
        const std::string joined = join_expressions(kept);
        EXPECT_EQ(joined.find("'+"), std::string::npos) << kept;
    }
    EXPECT_EQ(join_expressions("{{a}"), "{'+a+'");
}

}  // namespace
}  // namespace quenlo
