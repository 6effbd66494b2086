#include "backend/release_page.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "backend/encode_release_text.h"
#include "backend/rename_runtime_identifiers.h"
#include "foundation/build.h"
#include "foundation/placeholders.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

class ReleasePage : public ::testing::Test {
protected:
    // The release page made in one pass from the debug page.
    std::string made(const std::string& debug_page) {
        Build build("/nowhere", Switches{}, true, log, stop);
        build.redebug = debug_page;
        make_release_page(build);
        EXPECT_EQ(build.redebug, debug_page);
        return build.rerelease;
    }
    // The same by the steps one after another on a whole copy.
    std::string stepwise(const std::string& debug_page) {
        Build build("/nowhere", Switches{}, true, log, stop);
        build.release_text = debug_page;
        replace_placeholder(build.release_text, "var g_isdebug = true;", "var g_isdebug = false;",
                            log);
        encode_release_text(build);
        rename_runtime_identifiers(build);
        return build.rerelease;
    }

    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
    std::atomic<bool> stop{false};
};

// Wherever the flag stands, and with any line breaks around it, the page is
// the one the steps make on a whole copy.
TEST_F(ReleasePage, SameAsTheStepsOnACopyWhereverTheFlagIs) {
    const std::string region = "</title>\r\nvar t = 'Ciao &egrave; <b>mondo</b>';\r\n";
    const std::string pages[] = {
        "<!DOCTYPE html>\r\n<meta>\r\nvar g_isdebug = true;\r\n" + region + "g_room = 1;",
        "<!DOCTYPE html>\r\n<meta>\r\n" + region + "a; var g_isdebug = true; b;",
        "<!DOCTYPE html>\n<meta>\rvar g_isdebug = true;\r" + region + "var g_isdebug = true;\n",
        "<!DOCTYPE html>\r\n<meta>\r\n" + region + "no flag here;\r\n",
        "var g_isdebug = true;",
    };
    for (const std::string& page : pages) {
        const std::string release = made(page);
        EXPECT_EQ(release, stepwise(page)) << page;
        const bool has_flag = page.find("var g_isdebug = true;") != std::string::npos;
        EXPECT_EQ(release.find("var _fu51 = false;") != std::string::npos, has_flag) << release;
        EXPECT_EQ(release.find("true"), std::string::npos) << release;
    }
}

}  // namespace
}  // namespace quenlo
