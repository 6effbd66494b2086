#include "backend/check_unknown_identifiers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>

#include "backend/rewrite_script_code.h"
#include "foundation/base_script.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

const std::vector<std::string> all_progress = {
    "Check for unknown objects/rooms/variables...",
    "10%...",
    "20%...",
    "30%...",
    "40%...",
    "50%...",
    "60%...",
    "70%...",
    "80%...",
    "90%...",
};

class UnknownIdentifiers : public ::testing::Test {
protected:
    // "passed", or the failure message.
    std::string check(const std::string& page, bool skip = false) {
        Build build("/nowhere", Switches{.skip_unknown_check = skip}, false, log, stop);
        build.lstobj = lstobj;
        build.lstroom = lstroom;
        build.lstobjroom = lstobjroom;
        build.lstvar = lstvar;
        build.page = page;
        try {
            check_unknown_identifiers(build);
        } catch (const Error& e) {
            EXPECT_EQ(build.page, page);
            return e.what();
        }
        EXPECT_EQ(build.page, page);
        return "passed";
    }
    static std::string report(const std::string& lines) {
        return "Unknown objects/rooms/variables: \r\n" + lines;
    }

    std::vector<std::string> lstobj{"", "_lampada_", "_chiave_"};
    std::vector<std::string> lstroom{"", "_rSalone_", "_rCucina_"};
    std::vector<std::string> lstobjroom{"_scritta_"};
    std::vector<std::string> lstvar{"", "_vMOVES_"};
    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
    std::atomic<bool> stop{false};
};

TEST_F(UnknownIdentifiers, KnownNamesOnlyPassWithEveryProgressLine) {
    EXPECT_EQ(check("var o_id = [];\r\n"
                    "if (f_istaken('_lampada_') && f_isplayerin('_rSalone_')) f_move('_chiave_', "
                    "'_rCucina_');\r\n"
                    "f_show('_scritta_'); window.g_var[1] = _vMOVES_;\r\n"
                    "g_mext = g_mex2 + g_mex; x = '_';\r\n"
                    "no underscore here\r\n"),
              "passed");
    std::vector<std::string> expected = all_progress;
    expected.push_back("100%...");
    EXPECT_EQ(sink.texts(), expected);
}

TEST_F(UnknownIdentifiers, SkippedCheckOnlyLogs) {
    EXPECT_EQ(check("f_move('_lampdaa_');\r\n", true), "passed");
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{
                                "Check for unknown objects/rooms/variables...", " skipped!"}));
}

TEST_F(UnknownIdentifiers, AMisspeltNameReportsItsWholeOriginalLineOnce) {
    EXPECT_EQ(check("f_istaken('_lampada_');\r\n"
                    "\tif (f_istaken('_lampdaa_')) f_move('_chaive_', '_rSalone_');  \r\n"
                    "f_win();\r\n"),
              report("\tif (f_istaken('_lampdaa_')) f_move('_chaive_', '_rSalone_');  \r\n"));
    EXPECT_EQ(sink.texts(), all_progress);
}

TEST_F(UnknownIdentifiers, ReportedLinesComeInPageOrder) {
    EXPECT_EQ(check("a = _x_;\nb = f_show();\rc = _y_;\r\nd = _rCantina_;"),
              report("a = _x_;\r\nc = _y_;\r\nd = _rCantina_;\r\n"));
}

TEST_F(UnknownIdentifiers, CommentLinesAreNeverReported) {
    EXPECT_EQ(check("// _nothing_ here\r\n   //_nor_here\r\n"), "passed");
    // Only a line that is a comment once the known names are gone counts as one.
    EXPECT_EQ(check("_lampada_// _unknown_\r\n"), "passed");
    EXPECT_EQ(check("f_win(); // _unknown_\r\n"), report("f_win(); // _unknown_\r\n"));
    EXPECT_EQ(check("/ _x\r\n"), report("/ _x\r\n"));
}

TEST_F(UnknownIdentifiers, OrderDecidesWhatIsLeftOfLongerNames) {
    // "f_use" is deleted before "f_use_", so a stray "f_use_" leaves an underscore.
    EXPECT_EQ(check("f_use_('_lampada_');\r\n"), report("f_use_('_lampada_');\r\n"));
    // A room that is the start of a longer name is deleted inside it too.
    lstroom = {"_rSala"};
    EXPECT_EQ(check("'_rSalaGrande'\r\n"), "passed");
    EXPECT_EQ(check("'_rSala_Grande'\r\n"), report("'_rSala_Grande'\r\n"));
}

TEST_F(UnknownIdentifiers, EmptyTableEntriesAreSkipped) {
    lstobj = {"", ""};
    lstvar.assign(100, "");
    EXPECT_EQ(check("x = _a;\r\n"), report("x = _a;\r\n"));
}

TEST_F(UnknownIdentifiers, UnfilledImageAndConnectionPlaceholdersAreKnown) {
    EXPECT_EQ(check("'<img src=\\'___COVERIMAGE___\\'>'+ ///\xC2\xB0\xC2\xB0\xC2\xB0\r\n"
                    "___CONNECTIONS___\r\n['', '___MAPIMAGE1___', '___MAPIMAGE2___', "
                    "'___MAPIMAGE3___'] ___FAILIMAGE___ ___SUCCESSIMAGE___\r\n"),
              "passed");
    EXPECT_EQ(check("___ROOMS___\r\n"), report("___ROOMS___\r\n"));
}

// Every placeholder that carries the author's code or data is filled before
// the check; the pictures and the connections may still stand.
std::string with_code_placeholders_emptied(const std::string& page) {
    static const std::string still_open[] = {
        "___CONNECTIONS___", "___COVERIMAGE___", "___FAILIMAGE___", "___SUCCESSIMAGE___",
        "___MAPIMAGE1___",   "___MAPIMAGE2___",  "___MAPIMAGE3___"};
    std::string out;
    std::size_t pos = 0;
    for (std::size_t open = page.find("___"); open != std::string::npos;
         open = page.find("___", pos)) {
        std::size_t end = open + 3;
        while (end < page.size() && (std::isupper(static_cast<unsigned char>(page[end])) ||
                                     std::isdigit(static_cast<unsigned char>(page[end]))))
            ++end;
        if (end == open + 3 || page.compare(end, 3, "___") != 0) {
            out.append(page, pos, end - pos);
            pos = end;
            continue;
        }
        const std::string placeholder = page.substr(open, end + 3 - open);
        out.append(page, pos, open - pos);
        if (std::find(std::begin(still_open), std::end(still_open), placeholder) !=
            std::end(still_open))
            out.append(placeholder);
        pos = end + 3;
    }
    out.append(page, pos);
    return out;
}

TEST_F(UnknownIdentifiers, TheStoredBaseScriptPassesOnItsOwn) {
    lstobj.clear();
    lstroom.clear();
    lstobjroom.clear();
    lstvar.assign(100, "");
    Build build("/nowhere", Switches{}, false, log, stop);
    build.lstvar = lstvar;
    build.page = with_code_placeholders_emptied(BaseScript().html_part());
    rewrite_script_code(build);
    EXPECT_EQ(check(build.page), "passed");
}

}  // namespace
}  // namespace quenlo
