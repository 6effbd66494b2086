#include "foundation/project_files.h"

#include <gtest/gtest.h>

#include "foundation/error.h"
#include "foundation/text.h"
#include "support/temp_project.h"

namespace quenlo {
namespace {

using Lines = std::vector<std::string>;

TEST(DecodeText, ByteOrderMarksSelectTheEncoding) {
    EXPECT_EQ(decode_text("\xEF\xBB\xBFperch\xC3\xA9"), "perché");
    EXPECT_EQ(decode_text(std::string("\xFF\xFEp\0\xE9\0", 6)), "pé");
    EXPECT_EQ(decode_text(std::string("\xFE\xFF\0p\0\xE9", 6)), "pé");
    // A character outside the basic plane, as a UTF-16 surrogate pair.
    EXPECT_EQ(decode_text(std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6)), "\xF0\x9F\x98\x80");
}

TEST(DecodeText, WithoutMarkValidUtf8StaysAndAnythingElseIsWindows1252) {
    EXPECT_EQ(decode_text("perch\xC3\xA9"), "perché");
    EXPECT_EQ(decode_text("perch\xE9 \x80 \x93"), "perché € \xE2\x80\x9C");
    EXPECT_EQ(decode_text(""), "");
}

// One line pasted from a Windows-1252 file spoils neither the UTF-8 accents
// of the others nor its own line breaks, and the first such byte is told.
TEST(DecodeText, EachLineIsReadAsUtf8OrElseAsWindows1252) {
    const DecodedText decoded = decode_text_lines(
        "gi\xC3\xA0\r\n"
        "perch\xC3\xA9 \xE8\rcos\xC3\xAC\n"
        "caff\xE8\r\n");
    EXPECT_EQ(decoded.text, "già\r\nperchÃ© è\rcosì\ncaffè\r\n");
    EXPECT_EQ(decoded.first_invalid.line, 2u);
    EXPECT_EQ(decoded.first_invalid.column, 9u);  // the line read byte by byte: "perchÃ© è"
    EXPECT_EQ(decoded.first_invalid.byte, 0xE8);

    EXPECT_EQ(decode_text_lines("gi\xC3\xA0").first_invalid.line, 0u);
    EXPECT_EQ(decode_text_lines("\xEF\xBB\xBF\xE8").first_invalid.line, 0u);  // marked: U+FFFD
}

TEST(DecodeText, MarkedTextThatIsMalformedNeverFails) {
    EXPECT_EQ(decode_text("\xEF\xBB\xBF"), "");
    EXPECT_EQ(decode_text("\xEF\xBB\xBF"
                          "a\xFF"
                          "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(decode_text(std::string("\xFF\xFE"
                                      "a",
                                      3)),
              "\xEF\xBF\xBD");                                                   // odd byte
    EXPECT_EQ(decode_text(std::string("\xFF\xFE\x00\xDC", 4)), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(DecodeText, SameTextInUtf8WithMarkAndInWindows1252ReadsTheSame) {
    EXPECT_EQ(decode_text("\xEF\xBB\xBF"
                          "caff\xC3\xA8 \xE2\x82\xAC"),
              decode_text("caff\xE8 \x80"));
}

class ReadFiles : public ::testing::Test {
protected:
    Lines lines_of(const std::string& bytes) {
        folder.write("f", bytes);
        return read_lines(folder.file("f"));
    }
    test::TempFolder folder;
};

TEST_F(ReadFiles, LinesEndAtAnyLineBreak) {
    EXPECT_EQ(lines_of("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(lines_of("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(lines_of("\n\n"), (Lines{"", ""}));
}

TEST_F(ReadFiles, FinalLineBreakStartsNoLine) {
    EXPECT_EQ(lines_of("a\nb"), lines_of("a\nb\n"));
    EXPECT_EQ(lines_of("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(lines_of(""), Lines{});
}

TEST_F(ReadFiles, NothingElseChanges) {
    EXPECT_EQ(lines_of("  a\t\n// c\n"), (Lines{"  a\t", "// c"}));
}

TEST_F(ReadFiles, ReadTextJoinsWithCrLf) {
    folder.write("f", "a\nb\rc\r\n");
    EXPECT_EQ(read_text(folder.file("f")), "a\r\nb\r\nc");
}

// Text already broken by CR LF alone is taken as it stands; whatever the
// breaks, the text is the file's lines joined by CR LF.
TEST_F(ReadFiles, ReadTextIsTheLinesJoinedWithCrLf) {
    for (const std::string bytes : {"", "\r\n", "\r\n\r\n", "a", "a\r\n", "a\r\n\r\n", "a\r\nb\r\n",
                                    "a\r\n\r\nb", "\r\na", "a\rb\r\n", "a\r\nb\n", "a\r",
                                    "\xEF\xBB\xBF"
                                    "a\r\nb\r\n",
                                    "perch\xE9\r\n"}) {
        const Lines lines = lines_of(bytes);
        EXPECT_EQ(read_text(folder.file("f")), join_lines(lines)) << bytes;
    }
}

TEST_F(ReadFiles, MissingFileNamesPathAndReason) {
    try {
        read_lines(folder.file("nope.qni"));
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + folder.file("nope.qni") +
                                             "\". No such file or directory");
    }
    EXPECT_THROW(read_text(folder.path()), Error);  // a folder is not a file
}

// "{1}\r\nIl faro\r\n" as Notepad's "Unicode" saves it, without the mark.
std::string utf16_without_mark(std::string_view ascii, bool big_endian) {
    std::string bytes;
    for (const char c : ascii) {
        bytes += big_endian ? '\0' : c;
        bytes += big_endian ? c : '\0';
    }
    return bytes;
}

TEST_F(ReadFiles, Utf16WithoutMarkIsRefusedWithTheOpenError) {
    const std::string expected = "Cannot open file \"" + folder.file("messages.qnr") +
                                 "\". It looks like UTF-16 text without a byte-order mark; "
                                 "save it as UTF-8.";
    for (const bool big_endian : {false, true}) {
        folder.write("messages.qnr", utf16_without_mark("{1}\r\nIl faro\r\n", big_endian));
        try {
            read_text(folder.file("messages.qnr"));
            ADD_FAILURE() << "read as text";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), expected);
        }
        EXPECT_THROW(read_lines(folder.file("messages.qnr")), Error);
    }
}

TEST_F(ReadFiles, NulBytesThatAreNotUtf16AreStillText) {
    // With its mark the same UTF-16 reads; a stray NUL or two is no UTF-16.
    folder.write("marked", "\xFF\xFE" + utf16_without_mark("a\r\nb", false));
    EXPECT_EQ(read_lines(folder.file("marked")), (Lines{"a", "b"}));
    folder.write("stray", std::string("ab\0cdefgh\0", 11));
    EXPECT_EQ(read_lines(folder.file("stray")), Lines{std::string("ab\0cdefgh\0", 11)});
    folder.write("nuls", std::string(8, '\0'));
    EXPECT_EQ(read_lines(folder.file("nuls")), Lines{std::string(8, '\0')});
}

TEST_F(ReadFiles, OneHugeLine) {
    const std::string line(3'000'000, 'x');
    EXPECT_EQ(lines_of(line), Lines{line});
}

TEST(ProjectPath, JoinsWithTheSeparator) {
    EXPECT_EQ(project_path("/tmp/avventura", "rooms.qnr"), "/tmp/avventura/rooms.qnr");
}

}  // namespace
}  // namespace quenlo
