#include "checks/silent_faults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/script_calls.h"
#include "support/sample_build.h"

namespace quenlo {
namespace {

class SilentFaults : public test::SampleBuild {
protected:
    // "[name] object" of every warning of a build that must succeed.
    std::vector<std::string> warnings() {
        const BuildResult result = build();
        EXPECT_TRUE(result.succeeded) << result.error_line;
        std::vector<std::string> found;
        for (const Diagnostic& d : result.diagnostics)
            if (d.severity == Severity::warning) found.push_back(d.name + " " + d.where.text);
        return found;
    }
};

TEST_F(SilentFaults, TheSampleHasNone) {
    EXPECT_TRUE(warnings().empty());
}

// A room and an object that only a script brings into play are in play; the
// same names left to nobody are warned about at their declarations.
TEST_F(SilentFaults, ScriptsThatMoveThePlayerOrObjectsCount) {
    append("rooms.qnr",
           "{5}\r\n_rCantina_\r\nUna cantina.\r\n{6}\r\n_rSoffitta_\r\nUna soffitta.\r\n");
    append("objects.qno",
           "{_moneta_}\r\n:room: _rOUT_\r\n:desc.short: moneta\r\n:desc.long: una moneta\r\n"
           "{_sasso_}\r\n:room: _rOUT_\r\n:desc.short: sasso\r\n:desc.long: un sasso\r\n");
    append("actions.qna",
           "if (f_action(\"_baule_\", \"apri\")) {\r\n"
           "  f_swap(\"_chiave_\", \"_moneta_\");\r\n"
           "  f_moveplayer(\"_rCantina_\"); return true;\r\n}\r\n");
    EXPECT_EQ(warnings(), (std::vector<std::string>{"unreachable-room _rSoffitta_",
                                                    "never-in-play {_sasso_}"}));

    // A room a script computes may be any room: no warning can tell.
    append("actions.qna", "var dove = \"_rCantina_\"; f_moveplayer(dove);\r\n");
    EXPECT_EQ(warnings(), std::vector<std::string>{"never-in-play {_sasso_}"});
}

TEST(ScriptUses, CallsKeepTheirArgumentsAndPlaces) {
    const ScriptUses uses = scan_script_uses(
        "// f_move(\"_no_\")\r\nif (f_ishere(\"_a_\")) {\r\n  città = 1; f_move(\"_b_\", f(x, [1, "
        "2]), 3);\r\n}",
        "actions.qna");
    ASSERT_EQ(uses.calls.size(), 3u);  // f_ishere, f and f_move, as each closes
    const ScriptCall& move = uses.calls[2];
    EXPECT_EQ(move.function, "f_move");
    EXPECT_EQ(move.line, 3u);
    EXPECT_EQ(move.column, 14u);  // counted in characters, after "città"
    ASSERT_EQ(move.arguments.size(), 3u);
    EXPECT_EQ(move.arguments[0].kind, ScriptArgument::Kind::text);
    EXPECT_EQ(move.arguments[0].value, "_b_");
    EXPECT_EQ(move.arguments[1].kind, ScriptArgument::Kind::other);
    EXPECT_EQ(move.arguments[2].kind, ScriptArgument::Kind::number);
    EXPECT_EQ(uses.calls[1].arguments.size(), 2u);
    EXPECT_TRUE(uses.names.contains("città"));
    EXPECT_EQ(uses.calls[0].function, "f_ishere");  // "if (" is no call
}

}  // namespace
}  // namespace quenlo
