#include "backend/rewrite_script_code.h"

#include <gtest/gtest.h>

#include <atomic>

#include "foundation/build.h"
#include "foundation/error.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

const std::string loop_head =
    "for (var omrvindex=window.g_defaultobjnum; omrvindex<=window.g_lastobject; omrvindex++){ "
    "var id = o_id[omrvindex];";

class RewriteScriptCode : public ::testing::Test {
protected:
    RewriteScriptCode() { build.lstvar.assign(100, ""); }

    // The rewritten page, or "failed: " + the message.
    std::string rewrite(const std::string& page) {
        build.page = page;
        try {
            rewrite_script_code(build);
        } catch (const Error& e) {
            return "failed: " + std::string(e.what());
        }
        return build.page;
    }
    static std::string calls(std::string_view call, std::size_t n) {
        std::string text;
        for (std::size_t i = 0; i < n; ++i) text += std::string(call) + "'m');\r\n";
        return text;
    }

    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
    std::atomic<bool> stop{false};
    Build build{"/nowhere", Switches{}, false, log, stop};
};

TEST_F(RewriteScriptCode, VariablesBecomeIndexedAccessesInTheCodeOnly) {
    build.lstvar[1] = "_vMOVES_";
    build.lstvar[12] = "_vSCORE_";
    EXPECT_EQ(rewrite("var g_variableids = ['_vMOVES_',\r\n"
                      "///===\r\n"
                      "_vMOVES_ = _vMOVES_ + 1;\r\n"
                      "f_show('_vSCORE_'); // _vMOVES_\r\n"),
              "var g_variableids = ['_vMOVES_',\r\n"
              "window.g_var[1] = window.g_var[1] + 1;\r\n"
              "f_show('window.g_var[12]'); // window.g_var[1]");
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{
                                "Replacing variables ...", "Replacing f_showx...",
                                "Replacing f_appendx...", "Replaced [ (CHECKFORAPPEND) ]"}));
}

TEST_F(RewriteScriptCode, VariablesAreReplacedInIndexOrder) {
    // A lower index that is part of a higher one's name takes its part first.
    build.lstvar[0] = "_vA_";
    build.lstvar[3] = "_vA_B_";
    EXPECT_EQ(rewrite("///===\r\n_vA_B_ _vA_"), "window.g_var[0]B_ window.g_var[0]");
}

TEST_F(RewriteScriptCode, EveryLineIsTrimmedAndTheMarkerDropped) {
    EXPECT_EQ(rewrite("  <div>\r\n\t\tx = 1;  \r\n\r\n   ///===   \r\ncode\r\n///===\r\nmore\r\n"),
              "<div>\r\nx = 1;\r\n\r\ncode\r\nmore");
}

TEST_F(RewriteScriptCode, APageWithoutTheMarkerIsAllHead) {
    build.lstvar[0] = "_vX_";
    EXPECT_EQ(rewrite(" _vX_ \r\nforeachobject{ f_showx('a'); }\n"),
              "_vX_\r\n" + loop_head + " f_show(0,'a'); }");
}

TEST_F(RewriteScriptCode, MarkerAsFirstOrLastLine) {
    build.lstvar[0] = "_vX_";
    EXPECT_EQ(rewrite("///===\r\n_vX_\r\n"), "window.g_var[0]");
    EXPECT_EQ(rewrite("_vX_\r\n///===\r\n"), "_vX_");
}

TEST_F(RewriteScriptCode, ObjectLoopMacroEverywhereButOnlyWithoutABlank) {
    EXPECT_EQ(rewrite("foreachobject{\r\n///===\r\nforeachobject{ f(id); }\r\nforeachobject {"),
              loop_head + "\r\n" + loop_head + " f(id); }\r\nforeachobject {");
}

TEST_F(RewriteScriptCode, CallsAreNumberedInPageOrderEachKindOnItsOwn) {
    EXPECT_EQ(rewrite("///===\r\nf_showx('a'); f_appendx('b');\r\n// f_showx(\r\nf_appendx(x)"),
              "f_show(0,'a'); f_append(0,'b');\r\n// f_show(1,\r\nf_append(1,x)");
}

TEST_F(RewriteScriptCode, ThreeHundredCallsOfEachKindPass) {
    const std::string page = rewrite(calls("f_showx(", 300) + calls("f_appendx(", 300));
    EXPECT_NE(page.find("f_show(0,'m');\r\nf_show(1,'m');"), std::string::npos);
    EXPECT_NE(page.find("f_show(299,'m');\r\nf_append(0,'m');"), std::string::npos);
    EXPECT_TRUE(page.ends_with("f_append(299,'m');"));
    EXPECT_EQ(page.find("f_showx("), std::string::npos);
}

TEST_F(RewriteScriptCode, TheThreeHundredAndFirstCallFails) {
    EXPECT_EQ(rewrite(calls("f_showx(", 301)), "failed: Too many f_showx calls");
    EXPECT_EQ(sink.texts().back(), "Replacing f_showx...");
    EXPECT_EQ(rewrite(calls("f_showx(", 300) + calls("f_appendx(", 301)),
              "failed: Too many f_appendx calls");
}

TEST_F(RewriteScriptCode, CheckForAppendBecomesTheRuntimeTest) {
    EXPECT_EQ(rewrite("///===\r\nif (CHECKFORAPPEND) {} if (x && (CHECKFORAPPEND)) {}"),
              "if ((window.g_mex2=='')||(window.g_mex2==null)) {} "
              "if (x && ((window.g_mex2=='')||(window.g_mex2==null))) {}");
    EXPECT_EQ(sink.texts().back(), "Replaced [ (CHECKFORAPPEND) ]");
}

TEST_F(RewriteScriptCode, StopIsNoticedAtTheEnd) {
    events.on_poll = [&](int) { stop = true; };
    EXPECT_EQ(rewrite("///===\r\nx"), "failed: ");
}

}  // namespace
}  // namespace quenlo
