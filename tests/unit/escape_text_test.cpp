#include "checks/escape_text.h"

#include <gtest/gtest.h>

namespace quenlo {
namespace {

TEST(EscapeText, WorkedExamples) {
    EXPECT_EQ(escape_text("l'avventura"), "l\\'avventura");
    EXPECT_EQ(escape_text("Disse ''ciao''"), "Disse &quot;ciao&quot;");
    EXPECT_EQ(escape_text("sale & pepe < 3"), "sale &amp; pepe &lt; 3");
    EXPECT_EQ(escape_text("Perché è così"), "Perch&eacute; &egrave; cos&igrave;");
    EXPECT_EQ(escape_text("prima^dopo"), "prima<br>dopo");
    EXPECT_EQ(escape_text("uno\r\n// nota\r\ndue"), "uno due");
    EXPECT_EQ(escape_text("a  b"), "a b");
    EXPECT_EQ(escape_text("a   b"), "a  b");
    EXPECT_EQ(escape_text("a\r\n    b"), "a   b");
    EXPECT_EQ(escape_text("testo\r\n"), "testo ");
    EXPECT_EQ(escape_text("// tutto commento"), "");
}

TEST(EscapeText, BlankRunsHalveRoundingUp) {
    EXPECT_EQ(escape_text("a b"), "a b");
    EXPECT_EQ(escape_text("a    b"), "a  b");
    EXPECT_EQ(escape_text("a     b"), "a   b");
}

TEST(EscapeText, EmptyAndCommentOnlyInputs) {
    EXPECT_EQ(escape_text(""), "");
    EXPECT_EQ(escape_text("   // nota con l'apostrofo e ^"), "");
    EXPECT_EQ(escape_text("//"), "");
    // A lone "/" is not a comment.
    EXPECT_EQ(escape_text("/"), "/");
}

TEST(EscapeText, AuthorsCannotWriteEntities) {
    EXPECT_EQ(escape_text("&amp;"), "&amp;amp;");
}

TEST(EscapeText, ThreeApostrophesGiveQuoteThenEscapedApostrophe) {
    EXPECT_EQ(escape_text("'''"), "&quot;\\'");
}

TEST(EscapeText, DoubleQuoteStaysAndOtherMeaningfulCharactersPass) {
    EXPECT_EQ(escape_text("\"|§{}_"), "\"|§{}_");
    // A backslash is doubled: it shows, and never ends the text's string.
    EXPECT_EQ(escape_text("C:\\ e \\'"), "C:\\\\ e \\\\\\'");
    EXPECT_EQ(string_value(escape_text("C:\\ l'x \\")), "C:\\ l'x \\");
}

TEST(EscapeText, CaretNextToBlanksAndInComments) {
    EXPECT_EQ(escape_text("a ^ b"), "a <br> b");
    EXPECT_EQ(escape_text("a\n// ^ nota\nb"), "a b");
}

TEST(EscapeText, CommentMarkerInsideALineIsKept) {
    EXPECT_EQ(escape_text("vedi http://esempio.it"), "vedi http://esempio.it");
}

TEST(EscapeText, TabsActLikeLineBreaks) {
    EXPECT_EQ(escape_text("uno\tdue"), "uno due");
    EXPECT_EQ(escape_text("uno \tdue"), "uno due");
    EXPECT_EQ(escape_text("uno\t\t\tdue"), "uno due");
}

TEST(EscapeText, OnlyTheNamedAccentsBecomeEntities) {
    EXPECT_EQ(escape_text("€ £ ç ñ ü ê"), "&euro; £ ç ñ ü ê");
    EXPECT_EQ(escape_text("ÀÁÈÉÌÍÒÓÙÚàáèéìíòóùú"),
              "&Agrave;&Aacute;&Egrave;&Eacute;&Igrave;&Iacute;&Ograve;&Oacute;&Ugrave;&Uacute;"
              "&agrave;&aacute;&egrave;&eacute;&igrave;&iacute;&ograve;&oacute;&ugrave;&uacute;");
}

TEST(EscapeText, ApostropheInCommentGoesWithTheLine) {
    EXPECT_EQ(escape_text("l'uno\n// l'altro\n"), "l\\'uno ");
}

TEST(EscapeText, CrLfCommentLeavesItsLineBreakPiece) {
    // The CR piece of the comment is dropped and its LF kept: still one blank.
    EXPECT_EQ(escape_text("a\r\n// x\r\n\r\nb"), "a b");
}

TEST(EscapeText, NoControlCharactersSurvive) {
    const std::string out =
        escape_text(std::string("a\x01\x02\x1f"
                                "b\x7f",
                                6));
    for (char c : out) EXPECT_GE(static_cast<unsigned char>(c), 32u) << out;
    EXPECT_EQ(out, "a b\x7f");
}

}  // namespace
}  // namespace quenlo
