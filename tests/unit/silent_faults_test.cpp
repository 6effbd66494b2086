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
           "if (f_action(\"_baule_\", \"esamina\")) {\r\n"
           "  f_swap(\"_chiave_\", \"_moneta_\");\r\n"
           "  f_moveplayer(\"_rCantina_\"); return true;\r\n}\r\n");
    EXPECT_EQ(warnings(), (std::vector<std::string>{"unreachable-room _rSoffitta_",
                                                    "never-in-play {_sasso_}"}));

    // A room a script computes may be any room: no warning can tell.
    append("actions.qna", "var dove = \"_rCantina_\"; f_moveplayer(dove);\r\n");
    EXPECT_EQ(warnings(), std::vector<std::string>{"never-in-play {_sasso_}"});
}

// The warning names the verb and is placed at its test; a verb the flags,
// the exit or a menu offers (in any letter case) is none, and a menu that
// computes a verb may offer anything.
TEST_F(SilentFaults, VerbsThatNoMenuOffers) {
    append("actions.qna",
           "if (f_action(\"_cancello_\", \"tira\")) return true;\r\n"
           "if (f_action(\"_cancello_\", \"SPINGI\")) return true;\r\n"
           "if (f_action(\"_uscitaStanzaBuia_\", \"esci\")) return true;\r\n"
           "if (f_action(\"_vecchio_\", \"parla con\")) return true;\r\n"
           "if (f_action(\"_lanterna_\", \"lascia\")) return true;\r\n");
    EXPECT_EQ(warnings(),
              std::vector<std::string>{
                  "verb-not-offered if (f_action(\"_cancello_\", \"tira\")) return true;"});
    const BuildResult result = build();
    ASSERT_FALSE(result.diagnostics.empty());
    EXPECT_EQ(result.diagnostics.back().where.column, 5u);
    EXPECT_NE(result.diagnostics.back().text.find("\"tira\" on _cancello_"), std::string::npos);

    append("objects.qno",
           "{_leva_}\r\n:desc.short: leva\r\n:desc.long: una leva\r\n"
           ":room: _rFaro_\r\n:menu:\r\n++String(\"tira\");\r\n");
    append("actions.qna", "if (f_action(\"_leva_\", \"tira\")) return true;\r\n");
    EXPECT_EQ(warnings().size(), 1u);  // still only the gate's
}

// With three arguments either object may be the one touched; a renamed verb
// message is the verb its objects offer, and the old word is still taken.
TEST_F(SilentFaults, VerbsOfTwoObjectsAndRenamedVerbs) {
    const std::string path = project_path(folder, "messages.qnr");
    std::string messages = read_bytes(path);
    messages.replace(messages.find("{19}\r\nesamina"), 13, "{19}\r\nguarda");
    parent.write("faro/messages.qnr", messages);
    append("actions.qna",
           "if (f_action(\"_cancello_\", \"spingi\", \"_chiave_\")) return true;\r\n"
           "if (f_action(\"_baule_\", \"Guarda\")) return true;\r\n"
           "if (f_action(\"_baule_\", \"esamina\")) return true;\r\n"
           "if (f_action(\"_baule_\", \"spingi\", \"_chiave_\")) return true;\r\n");
    EXPECT_EQ(warnings(), std::vector<std::string>{"verb-not-offered if (f_action(\"_baule_\", "
                                                   "\"spingi\", \"_chiave_\")) return true;"});
}

// A fixed message the game needs, missing or empty, is warned about at its
// header or where it would go; the custom room's 41 and 42 may stay empty.
TEST_F(SilentFaults, FixedMessagesMissingOrEmpty) {
    const std::string path = project_path(folder, "messages.qnr");
    std::string messages = read_bytes(path);
    const std::size_t at = messages.find("{26}\r\n");
    ASSERT_NE(at, std::string::npos);
    messages.erase(at, messages.find("{27}") - at);
    messages.replace(messages.find("Inizia l'avventura"), 18, "");
    parent.write("faro/messages.qnr", messages);
    EXPECT_EQ(warnings(),
              (std::vector<std::string>{"missing-message {08}", "missing-message {27}"}));
}

// A variable or an own message that nothing reads is warned about; the same
// variable shown by a success text or selecting a room's text is used.
TEST_F(SilentFaults, VariablesAndMessagesNeverUsed) {
    append("variables.qnv", "3:_vCHIAVI_=0\r\n4:_vPORTA_=1\r\n");
    append("messages.qnr", "{51}\r\nIl vento fischia.\r\n{52}\r\nUn gabbiano grida.\r\n");
    append("conditions.qna", "if (f_isplayerin(\"_rFaro_\")) f_append(f_gmes(51));\r\n");
    EXPECT_EQ(warnings(),
              (std::vector<std::string>{"unused-message {52}", "unused-variable 3:_vCHIAVI_=0",
                                        "unused-variable 4:_vPORTA_=1"}));

    append("success.qni", "Hai trovato {_vCHIAVI_} chiavi.\r\n");
    append("rooms.qnr", "{5}\r\n_rCantina_|_vPORTA_\r\nUna cantina.\r\n");
    append("actions.qna",
           "if (f_action(\"_vecchio_\", \"parla con\")) { f_moveplayer(\"_rCantina_\"); "
           "f_show(f_gmes(52)); return true; }\r\n");
    EXPECT_TRUE(warnings().empty());
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
