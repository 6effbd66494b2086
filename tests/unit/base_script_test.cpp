#include "foundation/base_script.h"

#include <gtest/gtest.h>

#include "foundation/error.h"
#include "foundation/text.h"
#include "support/temp_project.h"

namespace quenlo {
namespace {

using Lines = std::vector<std::string>;

TEST(BaseScript, HtmlPartEndsAtTheFirstHelpAnywhere) {
    BaseScript base("<html>\r\n<style>.x{} /*#HELP*/</style>\r\n#HELP\r\naiuto");
    EXPECT_EQ(base.html_part(), "<html>\r\n<style>.x{} /*");
    EXPECT_EQ(BaseScript("<p>\r\n\r\n#HELP\r\n").html_part(), "<p>\r\n\r\n");
}

TEST(BaseScript, NoHelpIsAnInvalidBaseScript) {
    try {
        BaseScript("<html></html>\r\n#help\r\n").html_part();
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "invalid base script");
    }
}

TEST(BaseScript, SectionsAreFoundByTheirExactTrimmedHeader) {
    const BaseScript base(
        "<style>\r\n#smallcaps { }\r\n</style>\r\n#HELP  \r\n  riga 1\r\n#\r\n\r\n"
        "#INTRO\r\nintro\r\n#help\r\nminuscolo");
    EXPECT_EQ(base.section_lines("#HELP"), (Lines{"  riga 1", "#", ""}));
    EXPECT_EQ(base.section_lines("#INTRO"), Lines{"intro"});
    EXPECT_EQ(base.section_lines("#help"), Lines{"minuscolo"});
    EXPECT_EQ(base.section_lines("#ROOMS"), std::nullopt);
    EXPECT_EQ(base.section_lines("#smallcaps { }"), Lines{"</style>"});
}

TEST(BaseScript, OverrideReplacesTheWholeScriptAndKeepsItOnFailure) {
    test::TempFolder folder;
    folder.write("base.qn", "mia pagina\n#HELP\naiuto\n");
    BaseScript base;
    base.load_base_override(folder.file("base.qn"));
    EXPECT_EQ(base.html_part(), "mia pagina\r\n");
    EXPECT_THROW(base.load_base_override(folder.file("nope.qn")), Error);
    EXPECT_EQ(base.html_part(), "mia pagina\r\n");
}

// What later phases rely on in the stored default.
TEST(StoredBaseScript, CarriesEveryPlaceholderAndMarker) {
    const BaseScript base;
    const std::string html = base.html_part();
    const std::vector<std::pair<std::string, int>> placeholders = {
        {"___VERSION___", 1},     {"___TITLE___", 1},     {"___ENABLEMAP___", 1},
        {"___MAP1___", 2},        {"___MAP2___", 2},      {"___MAP3___", 2},
        {"___CONNECTIONS___", 1}, {"___ROOMIDS___", 1},   {"___OBJECTIDS___", 1},
        {"___VARIABLEIDS___", 1}, {"___MESSAGES___", 1},  {"___FUNCTIONS___", 1},
        {"___ROOMS___", 1},       {"___ACTIONS___", 1},   {"___MENUS___", 1},
        {"___CONDITIONS___", 1},  {"___COUNTERS___", 1},  {"___INITIALIZATION___", 1},
        {"___OBJECTS___", 1},     {"___STARTROOM___", 1}, {"___HELP___", 1},
        {"___INTRO___", 1},       {"___FAIL___", 1},      {"___SUCCESS___", 1},
        {"___COVERIMAGE___", 1},  {"___FAILIMAGE___", 1}, {"___SUCCESSIMAGE___", 1},
        {"___MAPIMAGE1___", 1},   {"___MAPIMAGE2___", 1}, {"___MAPIMAGE3___", 1},
    };
    for (const auto& [placeholder, count] : placeholders) {
        int found = 0;
        for (std::size_t p = html.find(placeholder); p != std::string::npos;
             p = html.find(placeholder, p + 1))
            ++found;
        EXPECT_EQ(found, count) << placeholder;
    }
    const Lines lines = split_lines(html);
    const auto has_line = [&](std::string_view text) {
        for (const auto& l : lines)
            if (trim_view(l) == text) return true;
        return false;
    };
    for (const char* marker :
         {"///===", "</title>", "///°°°", "___TITLE___", "var g_isdebug = true;",
          "var g_mapxdim = 28;", "var g_mapydim = 30;", "var g_enablemap = ___ENABLEMAP___;",
          "var g_mes = [", "var g_connections = ["})
        EXPECT_TRUE(has_line(marker)) << marker;
    EXPECT_NE(html.find("window.g_start_room = ___STARTROOM___;"), std::string::npos);
}

TEST(StoredBaseScript, HtmlPartIsAsciiButForTheScreenDividerAndDegrees) {
    const std::string html = BaseScript().html_part();
    for (std::size_t pos = 0; pos < html.size();) {
        const char32_t c = next_code_point(html, pos);
        if (c >= 0x80) {
            EXPECT_TRUE(c == U'§' || c == U'°') << static_cast<unsigned>(c);
        }
    }
}

TEST(StoredBaseScript, HasEverySectionInOrder) {
    const BaseScript base;
    const Lines lines = split_lines(base.text());
    Lines headers;
    for (const auto& line : lines)
        if (line.starts_with("#") && line.size() > 1 && line.find(' ') == std::string::npos &&
            line.find('{') == std::string::npos)
            headers.push_back(line);
    const Lines expected = {"#HELP",       "#INTRO",        "#SUCCESS",  "#FAIL",
                            "#VARIABLES",  "#COUNTERS",     "#MESSAGES", "#CONDITIONS",
                            "#ACTIONS",    "#ROOMS",        "#OBJECTS",  "#REFERENCE",
                            "#COVERIMAGE", "#SUCCESSIMAGE", "#FAILIMAGE"};
    Lines found;
    for (const auto& h : headers)
        if (std::find(expected.begin(), expected.end(), h) != expected.end()) found.push_back(h);
    EXPECT_EQ(found, expected);
    const auto cover = base.section_lines("#COVERIMAGE");
    ASSERT_TRUE(cover && !cover->empty());
    EXPECT_TRUE(cover->front().starts_with("data:image/gif;base64,"));
}

}  // namespace
}  // namespace quenlo
