// The language features on a small project given as editor texts: what fits
// where the author types, in the places the editor acceptance test does not
// reach (menus, exits, selectors), and what rename and the quick fixes refuse.

#include "language/language_features.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quenlo::language {
namespace {

const std::map<std::string, std::string> texts = {
    {"messages.qnr", "{18}\nusa con\n{19}\nesamina\n"},
    {"variables.qnv", "0:_vCOMPLETION_=0\n1:_vPORTA_=1\n"},
    {"rooms.qnr",
     "{*1}\n_rCucina_|_vPORTA_\nC'è il {forno|_forno_} e la {porta|_porta_|apri|_rCantina_}.\n"
     "{2}\n_rCantina_\nÈ buio.\n"},
    {"objects.qno",
     "{_forno_}\n:examinable\n:menu:\nif (f_isplayerin(\"_rCucina_\"))\n++\"accendi\";\n"
     "{_pane_}\n:room: _rCucina_\n:desc.short: pane\n:desc.long: un pane\n:takeable\n"},
    {"actions.qna", "if (f_action(\"_forno_\", \"accendi\")) f_move(\"_pane_\", \"_rOUT_\");\n"},
};

std::vector<std::string> labels(const LanguageProject& project, const std::string& file,
                                std::size_t line, std::size_t byte) {
    std::vector<std::string> out;
    for (const Completion& c : complete(project, file, line, byte)) out.push_back(c.label);
    std::sort(out.begin(), out.end());
    return out;
}

TEST(LanguageFeatures, CompletesTheKindThatFitsInMenusExitsAndSelectors) {
    const LanguageProject project("", texts);
    // A menu's code is script: rooms for f_isplayerin, after the object's own lines.
    EXPECT_EQ(labels(project, "objects.qno", 3, std::string("if (f_isplayerin(\"_r").size()),
              (std::vector<std::string>{"_rCantina_", "_rCucina_", "_rOUT_", "_rTAKEN_", "_rWORN_"}));
    // An exit's destination is a room; its object is an object.
    const std::string link = "C'è il {forno|_forno_} e la {porta|_porta_|apri|_";
    EXPECT_EQ(labels(project, "rooms.qnr", 2, link.size()),
              (std::vector<std::string>{"_rCantina_", "_rCucina_"}));
    EXPECT_EQ(labels(project, "rooms.qnr", 2, std::string("C'è il {forno|_").size()),
              (std::vector<std::string>{"_forno_", "_pane_"}));
    // The variable that picks a room's text.
    EXPECT_EQ(labels(project, "rooms.qnr", 1, std::string("_rCucina_|_").size()),
              (std::vector<std::string>{"_vCOMPLETION_", "_vPORTA_"}));
    // The second argument of f_move is a room, the first an object.
    const std::string move = "if (f_action(\"_forno_\", \"accendi\")) f_move(\"_pane_\", \"_";
    EXPECT_EQ(labels(project, "actions.qna", 0, move.size()).size(), 5u);
    // The verbs of the object named first: its menu's and the built-in ones.
    const std::string verb = "if (f_action(\"_forno_\", \"";
    EXPECT_EQ(labels(project, "actions.qna", 0, verb.size()),
              (std::vector<std::string>{"accendi", "esamina", "usa con"}));
}

TEST(LanguageFeatures, RenameRefusesRuntimeNamesTakenNamesAndNoNames) {
    const LanguageProject project("", texts);
    const std::size_t out = std::string("if (f_action(\"_forno_\", \"accendi\")) f_move(\"_pane_\", \"_r").size();
    EXPECT_NE(rename(project, "actions.qna", 0, out, "_rFuori_").refused, "");
    EXPECT_NE(rename(project, "actions.qna", 0, 5, "f_agisci").refused, "");  // f_action
    EXPECT_NE(rename(project, "rooms.qnr", 1, 2, "_rCantina_").refused, "");  // taken
    EXPECT_NE(rename(project, "rooms.qnr", 1, 2, "cucina").refused, "");      // not a game name
    const RenameResult renamed = rename(project, "rooms.qnr", 1, 2, "_rSala_");
    EXPECT_EQ(renamed.refused, "");
    // The declaration, the menu's condition and the object's room; never "_rCucina2_".
    std::vector<std::string> files;
    for (const Edit& edit : renamed.edits) files.push_back(edit.where.file);
    EXPECT_EQ(files, (std::vector<std::string>{"objects.qno", "objects.qno", "rooms.qnr"}));
}

TEST(LanguageFeatures, QuickFixReplacesTheFirstNamedWordOnly) {
    const LanguageProject project("", {{"rooms.qnr", "{*1}\n_rA_\nUn {forn|_forn_} e {x|_fornx_}.\n"},
                                       {"objects.qno", "{_forno_}\n:examinable\n"}});
    Diagnostic missing{Severity::error, "missing objects specification: _forn_, _fornx_", {}, {
        {"did you mean _forno_?", {}}}, {}};
    const auto fix = quick_fix(project, missing, {"rooms.qnr", {2, 0, 0}});
    ASSERT_TRUE(fix);
    EXPECT_EQ(fix->edit.text, "_forno_");
    EXPECT_EQ(fix->edit.where.range.begin, std::string("Un {forn|").size());
    EXPECT_EQ(fix->edit.where.range.end, std::string("Un {forn|_forn_").size());
    missing.notes.clear();
    EXPECT_FALSE(quick_fix(project, missing, {"rooms.qnr", {2, 0, 0}}));
}

}  // namespace
}  // namespace quenlo::language
