#include "backend/encode_release_text.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>

#include "foundation/build.h"
#include "foundation/error.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

const std::string marker = "///\xC2\xB0\xC2\xB0\xC2\xB0";

class EncodeReleaseText : public ::testing::Test {
protected:
    std::string encode(const std::string& text) {
        build.release_text = text;
        encode_release_text(build);
        return build.release_text;
    }
    // The text as the only line of the script region.
    std::string encode_in_region(const std::string& line) {
        const std::string out = encode("</title>\r\n" + line + "\r\n" + marker);
        EXPECT_TRUE(out.starts_with("</title>\r\n")) << out;
        EXPECT_TRUE(out.ends_with("\r\n")) << out;
        return out.substr(10, out.size() - 12);
    }

    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
    std::atomic<bool> stop{false};
    Build build{"/nowhere", Switches{}, true, log, stop};
};

TEST(ShiftLetter, EveryLetterAsTheRuntimeExpects) {
    const std::string small = "abcdefghijklmnopqrstuvwxyz";
    const std::string capitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string shifted_small, shifted_capitals;
    for (char c : small) shifted_small += shift_letter(c);
    for (char c : capitals) shifted_capitals += shift_letter(c);
    EXPECT_EQ(shifted_small, "ydafchejglinkpmrotqvsxuzwb");
    EXPECT_EQ(shifted_capitals, "CZEBGDIFKHMJOLQNSPURWTYVAX");
    for (char c : std::string("09 .,'<>&;\\\x80\xC3")) EXPECT_EQ(shift_letter(c), c);
}

TEST_F(EncodeReleaseText, QuotedTextsOfTheRegionAreEncoded) {
    EXPECT_EQ(encode_in_region("x = 'abc';"), "x = ('yda');");
    EXPECT_EQ(encode_in_region("f('<h1>', '&egrave;', 'Ciao <b>Mondo</b>!')"),
              "f(('<h1>'), ('&egrave;'), ('Egym <b>Ompfm</b>!'))");
    EXPECT_EQ(encode_in_region("'don\\'t'"), "('fmp\\'v')");
    EXPECT_EQ(encode_in_region("'caff\xC3\xA8 42'"), "('ayhh\xC3\xA8 42')");
}

// The runtime decodes every text it shows, so a template's text is encoded
// like a quoted one, in place; its "${ }" is code, whose strings are encoded
// as everywhere.
TEST_F(EncodeReleaseText, TemplateTextsAreEncodedAndTheirSubstitutionsAreCode) {
    EXPECT_EQ(encode_in_region("f_show(`somma ${1 + 2}`);"), "f_show(`qmkky ${1 + 2}`);");
    EXPECT_EQ(encode_in_region("x = `l'uomo <b>${f('ab', {k: `cd`})}</b> &egrave; \\` \\${no}`;"),
              "x = `n'smkm <b>${f(('yd'), {k: `af`})}</b> &egrave; \\` \\${pm}`;");
    // A template runs on over lines; the texts after it are quoted texts again.
    EXPECT_EQ(encode_in_region("t = `uno\r\ndue ${n}`; s = 'tre';"),
              "t = `spm\r\nfsc ${n}`; s = ('vtc');");
}

TEST_F(EncodeReleaseText, BlanksShrinkInEncodedLinesOnly) {
    EXPECT_EQ(encode_in_region("a  =   'x    y';"), "a = ('z w');");
    EXPECT_EQ(encode("keep   these   blanks"), "keep   these   blanks");
}

TEST_F(EncodeReleaseText, RegionRunsFromTitleToTheLoneMarker) {
    EXPECT_EQ(encode("<title>\r\n'Titolo'\r\n</title>\r\nvar a = 'ab';\r\n" + marker +
                     "\r\n<p onclick='go'>\r\n"),
              "<title>\r\n'Titolo'\r\n</title>\r\nvar a = ('yd');\r\n\r\n<p onclick='go'>");
}

TEST_F(EncodeReleaseText, WithoutTitleNothingIsEncoded) {
    EXPECT_EQ(encode("  var a = 'ab';  \r\n\r\n// note\r\n/// kept\r\n"),
              "var a = 'ab';\r\n/// kept");
}

TEST_F(EncodeReleaseText, CommentAndEmptyLinesGoEverywhere) {
    EXPECT_EQ(
        encode("//\r\n// x\r\n\t\r\n</title>\r\n  //'a'\r\n/// region comment\r\nb\r\n" + marker),
        "</title>\r\n\r\nb\r\n");
}

TEST_F(EncodeReleaseText, VerbatimLinesAreCopiedAndTheirMarkersRemoved) {
    EXPECT_EQ(encode_in_region("el.className = 'mrvmenu'; " + marker),
              "el.className = 'mrvmenu'; ");
    // A marker inside a line does not make it verbatim, but still goes.
    EXPECT_EQ(encode_in_region("'a' " + marker + " 'b'"), "('y')  ('d')");
    EXPECT_EQ(encode("outside " + marker + "\r\n"), "outside ");
}

TEST_F(EncodeReleaseText, OpenQuotingCarriesOverLines) {
    // A text ending in an escaped backslash closes; escapes keep their letters.
    EXPECT_EQ(encode_in_region("a = '\\\\';\r\nb = 'c\\x5fc\\u00e9\\nc\\'';"),
              "a = ('\\\\');\r\nb = ('a\\x5fa\\u00e9\\na\\'');");
    // An "&" without ";" keeps the letters of later texts unshifted.
    EXPECT_EQ(encode_in_region("'R&D'\r\n'ab;cd'"), "('P&D')\r\n('ab;af')");
}

TEST_F(EncodeReleaseText, MalformedQuotingNeverFails) {
    std::mt19937 random(7);
    const std::string pieces[] = {"'",    "\\", "&",    ";",        "<",        ">",    " ",   "ab",
                                  "\r\n", "//", marker, "</title>", "\xC3\xA8", "\xC3", "\x01"};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int i = 0; i < 200; ++i) text += pieces[random() % std::size(pieces)];
        const std::string out = encode(text);
        EXPECT_EQ(out.find(marker), std::string::npos);
    }
}

TEST_F(EncodeReleaseText, ProgressLinesOfAThousandLines) {
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "x\r\n";
    encode(text);
    EXPECT_EQ(sink.texts(),
              (std::vector<std::string>{"Encripting...", "...10%", "...20%", "...30%", "...40%",
                                        "...50%", "...60%", "...70%", "...80%", "...90%"}));
}

TEST_F(EncodeReleaseText, ProgressLineComesAtTheFirstLineAboveTheThreshold) {
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "line" + std::to_string(i) + "\r\n";
    int line_of_first_progress = -1;
    int polls_seen = 0;
    events.on_poll = [&](int) {
        ++polls_seen;
        if (line_of_first_progress < 0 && sink.texts().size() == 2)
            line_of_first_progress = polls_seen;
    };
    encode(text);
    // polls: one for the heading's log line, then per line one for the poll
    // and, at line 110, one for the progress line before it.
    EXPECT_EQ(line_of_first_progress, 1 + 110 + 1);
}

TEST_F(EncodeReleaseText, FewLinesGiveFewProgressLines) {
    encode("a\r\nb\r\nc");
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{"Encripting...", "...10%", "...20%"}));
}

TEST_F(EncodeReleaseText, StopEndsThePassWithinALine) {
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "x\r\n";
    events.on_poll = [&](int polls) {
        if (polls == 50) stop = true;
    };
    EXPECT_THROW(encode(text), Error);
}

}  // namespace
}  // namespace quenlo
