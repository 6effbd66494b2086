#include "checks/check_characters.h"

#include <gtest/gtest.h>

#include <atomic>

#include "foundation/build.h"
#include "foundation/error.h"
#include "support/temp_project.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

constexpr std::string_view alphanumerics =
    "qwertyuiopasdfghjklzxcvbnmQWERTYUIOPASDFGHJKLZXCVBNM1234567890";
constexpr std::string_view accented = "àÀáÁèÈéÉìÌíÍòÒóÓùÙúÚ";

// Every printable ASCII character and the Latin-1 letters an author might type.
const std::string candidates = [] {
    std::string s;
    for (char c = 33; c < 127; ++c) s += c;
    return s + "£§°çñüê€";
}();

// The characters of `candidates` that `kind` accepts, as one string.
std::string accepted(CheckKind kind) {
    std::string out;
    for (std::size_t pos = 0; pos < candidates.size();) {
        std::size_t start = pos;
        char32_t c = static_cast<unsigned char>(candidates[pos]);
        if (c >= 0x80) {
            // decode the two- or three-byte character
            pos += (c >= 0xE0) ? 3 : 2;
        } else {
            ++pos;
        }
        const std::string ch = candidates.substr(start, pos - start);
        if (!first_invalid_character(ch, kind)) out += ch;
    }
    return out;
}

std::string letters_plus(std::string_view symbols) {
    std::string s;
    // Symbols in ASCII order as `accepted` visits them, letters and digits folded in.
    for (char c = 33; c < 127; ++c)
        if (alphanumerics.find(c) != std::string_view::npos ||
            symbols.find(c) != std::string_view::npos)
            s += c;
    return s;
}

TEST(CharacterSets, ScriptSet) {
    EXPECT_EQ(accepted(CheckKind::script), letters_plus("!\"$%&/()=?^'|[]{}*+#-_,;.:<>@") + "£§");
}

TEST(CharacterSets, MessageSet) {
    EXPECT_EQ(accepted(CheckKind::message), letters_plus("!$%&/()=?'|*+-,;.:<>^#_{}") + "£");
}

TEST(CharacterSets, VariableSet) {
    EXPECT_EQ(accepted(CheckKind::variable), letters_plus("/=:_"));
}

TEST(CharacterSets, TextSet) {
    EXPECT_EQ(accepted(CheckKind::text), letters_plus("!$%&()=?'*+#-,;.:<>{}^_") + "£");
}

TEST(CharacterSets, IntroductionSet) {
    EXPECT_EQ(accepted(CheckKind::introduction), letters_plus("!$%&()=?^'*+-,;.:<>") + "£§");
}

TEST(CharacterSets, AccentedLettersInAllButTheVariableSet) {
    for (CheckKind kind :
         {CheckKind::script, CheckKind::message, CheckKind::text, CheckKind::introduction})
        EXPECT_FALSE(first_invalid_character(accented, kind)) << static_cast<int>(kind);
    EXPECT_EQ(first_invalid_character(accented, CheckKind::variable), U'à');
}

TEST(CharacterSets, BlanksAndControlCharactersAlwaysPass) {
    const std::string controls("\t\r\n \x01\x1f", 6);
    for (int kind = 1; kind <= 5; ++kind)
        EXPECT_FALSE(first_invalid_character(controls, static_cast<CheckKind>(kind)));
}

TEST(CharacterSets, FirstBadCharacterIsReported) {
    EXPECT_EQ(first_invalid_character("abc[d]", CheckKind::message), U'[');
    EXPECT_EQ(first_invalid_character("0:_vX_=-1", CheckKind::variable), U'-');
    EXPECT_EQ(first_invalid_character("ciao \xE2\x82\xAC", CheckKind::script), U'€');
    EXPECT_EQ(first_invalid_character("", CheckKind::script), std::nullopt);
}

class CheckCharactersFile : public ::testing::Test {
protected:
    std::string check(const std::string& content, CheckKind kind, bool skip = false) {
        folder.write("f.txt", content);
        Switches switches;
        switches.skip_characters_check = skip;
        Build build(folder.path(), switches, false, log, stop);
        try {
            check_characters(build, "f.txt", kind);
        } catch (const Error& e) {
            return e.what();
        }
        return "passed";
    }

    test::TempFolder folder;
    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
    std::atomic<bool> stop{false};
};

TEST_F(CheckCharactersFile, ReportsTheCharacterAndLogsTheFile) {
    EXPECT_EQ(check("{01}\nTitolo [x]\n", CheckKind::message), "Invalid character < [ >");
    EXPECT_EQ(sink.texts(),
              std::vector<std::string>{"Check chars in file: " + folder.file("f.txt")});
    EXPECT_EQ(sink.lines[0].colour, LogColour::olive);
}

TEST_F(CheckCharactersFile, CommentLinesAreNotChecked) {
    EXPECT_EQ(check("{01}\n  // [nota]\nTitolo\n", CheckKind::message), "passed");
}

TEST_F(CheckCharactersFile, QuotesAndSectionSignsDependOnTheKind) {
    EXPECT_EQ(check("Disse \"ciao\"", CheckKind::text), "Invalid character < \" >");
    EXPECT_EQ(check("f_show(\"ciao\");", CheckKind::script), "passed");
    EXPECT_EQ(check("uno\n§\ndue", CheckKind::introduction), "passed");
    EXPECT_EQ(check("uno\n§\ndue", CheckKind::script), "passed");
    EXPECT_EQ(check("uno § due", CheckKind::text), "Invalid character < § >");
    EXPECT_EQ(check("uno § due", CheckKind::message), "Invalid character < § >");
}

TEST_F(CheckCharactersFile, ForeignLettersAreRejectedEverywhere) {
    for (int kind = 1; kind <= 5; ++kind) {
        EXPECT_EQ(check("ñ", static_cast<CheckKind>(kind)), "Invalid character < ñ >");
        EXPECT_EQ(check("ç", static_cast<CheckKind>(kind)), "Invalid character < ç >");
    }
}

TEST_F(CheckCharactersFile, Windows1252FileIsCheckedByItsCharacters) {
    // "è" and "€" as single Windows-1252 bytes.
    EXPECT_EQ(check("perch\xE8", CheckKind::text), "passed");
    EXPECT_EQ(check("costa 5\x80", CheckKind::text), "Invalid character < € >");
}

TEST_F(CheckCharactersFile, ALineThatIsNotUtf8IsWarnedAtItsFirstByteEvenUnchecked) {
    folder.write("f.txt", "gi\xC3\xA0\r\nvuoto \xE8 cos\xC3\xAC\r\n\xE8\r\n");
    Switches switches;  // the check is skipped: the warning comes all the same
    Build build(folder.path(), switches, false, log, stop);
    check_characters(build, "f.txt", CheckKind::text);
    ASSERT_EQ(build.warnings.size(), 1u);
    const Diagnostic& warning = build.warnings[0];
    EXPECT_EQ(diagnostic_block(warning).front().text,
              folder.file("f.txt") +
                  ":2:7: warning: byte 0xE8 is not UTF-8; the line is read as Windows-1252 (save "
                  "the file as UTF-8) [encoding]");
    EXPECT_EQ(warning.where.text, "vuoto è cosÃ¬");
}

TEST_F(CheckCharactersFile, SkippedCheckStillReadsTheFile) {
    EXPECT_EQ(check("[[[", CheckKind::message, true), "passed");
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{
                                "Check chars in file: " + folder.file("f.txt"), " skipped!"}));

    Switches switches;  // skipping is the start-up state
    Build build(folder.path(), switches, false, log, stop);
    try {
        check_characters(build, "missing.qni", CheckKind::text);
        FAIL() << "a missing file must fail";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + folder.file("missing.qni") +
                                             "\". No such file or directory");
    }
}

TEST_F(CheckCharactersFile, JunkNeverCrashes) {
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) & 0xFF);
    EXPECT_NE(check(junk, CheckKind::script), "passed");
    EXPECT_EQ(check("\xEF\xBB\xBF", CheckKind::script), "passed");
    EXPECT_EQ(check("", CheckKind::variable), "passed");
}

}  // namespace
}  // namespace quenlo
