#include "compilers/compile_objects.h"

#include <gtest/gtest.h>

#include "compilers/compile_rooms.h"
#include "foundation/text.h"
#include "support/build_harness.h"

namespace quenlo {
namespace {

constexpr std::string_view two_rooms =
    "{*1}\r\n_rStanzaBuia_\r\nUna stanza buia, con una {uscita|_uscitaStanzaBuia_}.\r\n"
    "{2}\r\n_rGiardino_\r\nUn giardino.\r\n";

struct Objects : test::PhaseHarness {
    explicit Objects(const std::string& objects, std::string_view rooms = two_rooms)
        : test::PhaseHarness({{"objects.qno", objects}, {"rooms.qnr", std::string(rooms)}}) {
        build.page = "obj{\r\n___OBJECTS___}\r\nids[\r\n___OBJECTIDS___]";
        build.lstvar.assign(100, "");
    }
    // The rooms first, as in a build; their log lines are left out.
    std::string compile() {
        const std::string rooms = error_of([&] { compile_rooms(build); });
        if (rooms != "(no error)") return "rooms: " + rooms;
        sink.lines.clear();
        events.polls = 0;
        return error_of([&] { compile_objects(build); });
    }
    std::vector<std::string> calls() const { return test::lines_between(build.page, "obj{", "}"); }
    std::vector<std::string> identifiers() const {
        return test::lines_between(build.page, "ids[", "]");
    }
};

// A float object that passes every check.
std::string lamp(std::string_view id, std::string_view extra = "") {
    return "{" + std::string(id) + "}\r\n:desc.short: lampada\r\n:desc.long: una lampada\r\n" +
           std::string(extra) + "\r\n";
}

const std::string exit_object =
    "{_uscitaStanzaBuia_}\r\n:desc.direction: esci\r\n:direction: _rGiardino_\r\n";

TEST(CompileObjects, NewProjectExitObject) {
    Objects o(exit_object);
    ASSERT_EQ(o.compile(), "(no error)");
    EXPECT_EQ(o.calls(),
              std::vector<std::string>{
                  "f_addobj('_uscitaStanzaBuia_','','','','','esci',2,0,'I*',2,0,0,0,0,0,"
                  "'',0,0,0,'','');"});
    EXPECT_EQ(o.log_texts(),
              (std::vector<std::string>{"Merge file: " + o.project.file("objects.qno"),
                                        "Found new object: _uscitaStanzaBuia_",
                                        "Added object [11]: _uscitaStanzaBuia_"}));
    ASSERT_EQ(o.build.lstobj.size(), 300u);
    EXPECT_EQ(o.build.lstobj[11], "_uscitaStanzaBuia_");
    const auto ids = o.identifiers();
    ASSERT_EQ(ids.size(), 300u);
    EXPECT_EQ(ids[10], "'',");
    EXPECT_EQ(ids[11], "'_uscitaStanzaBuia_',");
    EXPECT_EQ(ids[12], "'',");
    EXPECT_NE(o.build.symbols.find("_uscitaStanzaBuia_"), nullptr);
    EXPECT_TRUE(o.build.room_link_objects.empty());
}

TEST(CompileObjects, EveryPropertyAndFlag) {
    Objects o(exit_object +
              "// una chiave\r\n"
              "{_chiave_}\r\n"
              ":room: _rGiardino_\r\n"
              ":direction: 7\r\n"
              ":weight: 3\r\n"
              ":weight.worn: -1\r\n"
              ":tag: 42\r\n"
              ":desc.short: chiave\r\n"
              ":desc.long: una chiave d'oro\r\n"
              ":desc.examine: E' piccola\r\n"
              "  e <lucida>\r\n"
              "// nota\r\n"
              "\r\n"
              ":desc.found:\r\n"
              "Trovi qualcosa.\r\n"
              ":desc.talk: Ciao\r\n"
              ":desc.next.talk: Ancora tu?\r\n"
              ":desc.direction: apri\r\n"
              ":found: _moneta_,_uscitaStanzaBuia_\r\n"
              ":examinable usable\r\n"
              ":takeable   talkable\r\n"
              "{_moneta_}\r\n"
              ":room: _rTAKEN_\r\n"
              ":desc.short: moneta\r\n"
              ":desc.long: una moneta\r\n"
              ":wearable takeable\r\n");
    ASSERT_EQ(o.compile(), "(no error)");
    const auto calls = o.calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(
        calls[1],
        "f_addobj('_chiave_','chiave','una chiave d\\'oro',' E\\' piccola e &lt;lucida&gt;',"
        "' Trovi qualcosa.','apri',1,2,'I*',7,3,-1,1,1,1,'_moneta_|_uscitaStanzaBuia_',42,0,1,"
        "' Ciao',' Ancora tu?');");
    EXPECT_EQ(calls[2],
              "f_addobj('_moneta_','moneta','una moneta','','','',1,-1,'I*',0,0,0,0,0,2,'',0,0,0,"
              "'','');");
    EXPECT_EQ(o.build.lstobj[12], "_chiave_");
    EXPECT_EQ(o.build.lstobj[13], "_moneta_");
}

TEST(CompileObjects, NoObjectsAtAll) {
    Objects o("// nessun oggetto\r\n", "");
    ASSERT_EQ(o.compile(), "(no error)");
    EXPECT_TRUE(o.calls().empty());
    EXPECT_EQ(o.identifiers(), std::vector<std::string>(300, "'',"));
    EXPECT_EQ(o.log_texts(),
              (std::vector<std::string>{"Merge file: " + o.project.file("objects.qno"),
                                        "Found new object: _$$$_"}));
}

TEST(CompileObjects, ClosingHeaderWritesTheLastObjectAndIsNeverWritten) {
    Objects o(exit_object + lamp("_lume_", ":room: 2"));
    ASSERT_EQ(o.compile(), "(no error)");
    EXPECT_EQ(o.calls().size(), 2u);
    EXPECT_FALSE(o.sink.contains("Found new object: _$$$_"));
    EXPECT_EQ(o.log_texts().back(), "Added object [12]: _lume_");
}

TEST(CompileObjects, ExitObjectsFollowTheAuthorsObjects) {
    Objects o(lamp("_lume_", ":room: 1"),
              "{1}\r\n_rA_\r\nvai a {est|_versoEst_|vai|_rB_}\r\n{2}\r\n_rB_\r\n");
    ASSERT_EQ(o.compile(), "(no error)");
    EXPECT_EQ(o.build.lstobj[11], "_lume_");
    EXPECT_EQ(o.build.lstobj[12], "_versoEst_");
    EXPECT_EQ(o.calls()[1],
              "f_addobj('_versoEst_','','','','','vai',2,0,'I*',2,0,0,0,0,0,'',0,0,0,'','');");
}

TEST(CompileObjects, RoomAndDirectionValues) {
    const std::vector<std::pair<std::string, std::string>> accepted = {
        {":room: 5", ",1,5,'I*',"},        {":room: -1", ",1,-1,'I*',"},
        {":room: _rWORN_", ",1,-2,'I*',"}, {":room: _rOUT_", ",1,0,'I*',"},
        {":room: -2", ",1,-2,'I*',"},
    };
    for (const auto& [line, fragment] : accepted) {
        Objects o(lamp("_lume_", line), "");
        ASSERT_EQ(o.compile(), "(no error)") << line;
        EXPECT_NE(o.calls()[0].find(fragment), std::string::npos) << line << o.calls()[0];
    }
    const std::vector<std::pair<std::string, std::string>> refused = {
        {":room: -3", "unknown room: -3"},
        {":room: _rNessuna_", "unknown room: _rNessuna_"},
        {":room: giardino", "unknown room: giardino"},
        {":room:", "unknown room: "},
        {":room: _", "unknown room: _"},
        {":direction: -1", "unknown room: -1"},
        {":direction: _rOUT_", "unknown room: _rOUT_"},
        {":weight: tre", "'tre' is not a valid integer value"},
        {":weight.worn: 1.5", "'1.5' is not a valid integer value"},
        {":tag: ", "'' is not a valid integer value"},
        {":tag: 99999999999", "'99999999999' is not a valid integer value"},
        {":found: _a", "unknown :found: object: _a"},
        {":found: _", "unknown :found: object: _"},
        {":found: a_,_b_", "unknown :found: object: a_|_b_"},
        {":examinable,takeable", "unknown object property: ,"},
        {":portatile", "unknown object property: portatile"},
        {"takeable", "unknown object property: takeable"},
        {":", "unknown object property: :"},
        {":weight 3", "unknown object property: weight 3"},
    };
    for (const auto& [line, message] : refused) {
        Objects o(lamp("_lume_", line), "");
        EXPECT_EQ(o.compile(), message) << line;
    }
}

TEST(CompileObjects, LinkedObjectsAreFixed) {
    Objects out(lamp("_uscitaStanzaBuia_", ":room: _rOUT_\r\n:examinable"));
    ASSERT_EQ(out.compile(), "(no error)");
    EXPECT_NE(out.calls()[0].find("',2,0,'I*',"), std::string::npos);

    for (const std::string line : {":room: 1", ":takeable", ":wearable"}) {
        Objects o(lamp("_uscitaStanzaBuia_", line));
        EXPECT_EQ(o.compile(), "wrong propriety for fixed object: _uscitaStanzaBuia_") << line;
    }
}

TEST(CompileObjects, FloatObjectsNeedBothDescriptions) {
    for (const std::string source :
         {"{_sasso_}\r\n:desc.short: sasso\r\n", "{_sasso_}\r\n:desc.long: un sasso\r\n",
          "{_sasso_}\r\n:desc.short: // niente\r\n:desc.long: un sasso\r\n"}) {
        Objects o(exit_object + source);
        EXPECT_EQ(o.compile(), "Missing short/long description for float object: _sasso_");
    }
}

// Letter case aside, names are compared whole: an object whose name holds
// another's is no duplicate of it, and a ":found:" name is found whole.
TEST(CompileObjects, DuplicatedObjectsIgnoreCaseButCompareWholeNames) {
    Objects cased(lamp("_Lampada_") + lamp("_lampada_"), "");
    EXPECT_EQ(cased.compile(), "duplicated object: _lampada_");
    EXPECT_EQ(cased.log_texts().back(), "Found new object: _lampada_");
    Objects inner(lamp("_b_a_") + lamp("_a_"), "");
    EXPECT_EQ(inner.compile(), "(no error)");
    Objects found(lamp("_b_") + ":found: _a_,_a_b_\r\n" + lamp("_a_") + lamp("_a_b_"), "");
    EXPECT_EQ(found.compile(), "(no error)");
    Objects missing(lamp("_b_") + ":found: _a_,_a_b_\r\n" + lamp("_a_"), "");
    EXPECT_EQ(missing.compile(), "unknown :found: objects specification: _a_b_");
}

TEST(CompileObjects, ExitLinkRepeatedInTwoTextsIsADuplicatedObject) {
    Objects o("", "{1}\r\n_rA_|_vT_\r\n{a|_via_|vai|_rA_}\r\n\xC2\xA7\r\n{a|_via_|vai|_rA_}\r\n");
    o.build.lstvar[0] = "_vT_";
    EXPECT_EQ(o.compile(), "duplicated object: _via_");
}

TEST(CompileObjects, ObjectNamedLikeAVariableOrRoom) {
    Objects variable(lamp("_vLuce_"), "");
    variable.build.symbols.declare({"_vLuce_", SymbolKind::variable, {}});
    EXPECT_EQ(variable.compile(), "duplicated definition: _vLuce_");
    Objects room(lamp("_rGiardino_") + exit_object);
    EXPECT_EQ(room.compile(), "duplicated definition: _rGiardino_");
}

TEST(CompileObjects, IdentifierErrors) {
    Objects bad(lamp("_lu-me_"), "");
    EXPECT_EQ(bad.compile(), "invalid definition: _lu-me_");
    Objects open("{_lume\r\n:desc.short: x\r\n", "");
    EXPECT_EQ(open.compile(), "syntax error: {_lume");
    Objects last(lamp("_lume_") + "{_\r\n\r\n", "");
    EXPECT_EQ(last.compile(), "syntax error: {_");
}

TEST(CompileObjects, MissingAndUnknownObjectDeclarations) {
    Objects missing("", "{1}\r\n_rA_\r\n{leva|_leva_} e {porta|_porta_} e {leva|_leva_}\r\n");
    EXPECT_EQ(missing.compile(), "missing objects specification: _leva_ _porta_ _leva_");
    Objects partly(lamp("_leva_"), "{1}\r\n_rA_\r\n{leva|_leva_} e {porta|_porta_}\r\n");
    EXPECT_EQ(partly.compile(), "missing objects specification: _porta_");
    Objects found(lamp("_lume_", ":found: _chiave_,_lume_,_sasso_"), "");
    EXPECT_EQ(found.compile(), "unknown :found: objects specification: _chiave_  _sasso_");
}

TEST(CompileObjects, MenuBlocksAreCompiledInOrder) {
    Objects o(lamp("_lume_", ":menu:\r\n++\"accendi\";\r\n:weight: 5") + exit_object +
              ":menu:\r\n++\"cancella\";\r\n");
    ASSERT_EQ(o.compile(), "(no error)");
    // ":weight: 5" ends with no ":", so it is menu code and not a weight.
    EXPECT_NE(o.calls()[0].find("',1,0,'I*',0,0,0,"), std::string::npos);
    EXPECT_EQ(
        test::lines_starting_with(o.build.reAddMenu, "if (id=="),
        (std::vector<std::string>{"if (id=='_lume_'){ window.g_list.length = 0; ",
                                  "if (id=='_uscitaStanzaBuia_'){ window.g_list.length = 0; "}));
    EXPECT_NE(o.build.reAddMenu.find("\r\n :weight: 5\r\n"), std::string::npos);
}

TEST(CompileObjects, MenuEndsAtAMultiLineKeyAloneOnItsLine) {
    Objects o(lamp("_lume_", ":menu:\r\n++\"accendi\";\r\n:desc.examine:\r\nBrilla."), "");
    ASSERT_EQ(o.compile(), "(no error)");
    EXPECT_NE(o.calls()[0].find("'una lampada',' Brilla.',"), std::string::npos);
}

TEST(CompileObjects, MultiLineValueEndsBeforeTheNextHeader) {
    Objects o(lamp("_lume_", ":desc.examine: Una\r\nlampada") + lamp("_sasso_"), "");
    ASSERT_EQ(o.compile(), "(no error)");
    EXPECT_NE(o.calls()[0].find("'una lampada',' Una lampada',"), std::string::npos);
    EXPECT_EQ(o.build.lstobj[12], "_sasso_");
}

TEST(CompileObjects, MaximumNumberOfObjects) {
    std::string source;
    for (int i = 0; i < 288; ++i) source += lamp("_o" + std::to_string(i) + "_");
    Objects full(source, "");
    ASSERT_EQ(full.compile(), "(no error)");
    EXPECT_EQ(full.build.lstobj[298], "_o287_");
    EXPECT_EQ(full.identifiers()[298], "'_o287_',");
    EXPECT_EQ(full.calls().size(), 288u);

    Objects over(source + lamp("_troppi_"), "");
    EXPECT_EQ(over.compile(), "maximum number of objects reached");
}

TEST(CompileObjects, StopRequestEndsTheCompiler) {
    Objects o(lamp("_lume_"), "");
    compile_rooms(o.build);
    o.events.polls = 0;
    o.events.on_poll = [&](int polls) {
        if (polls == 4) o.stop = true;  // at the first property line
    };
    EXPECT_EQ(o.error_of([&] { compile_objects(o.build); }), "");
    EXPECT_TRUE(o.sink.contains("Found new object: _lume_"));
    EXPECT_FALSE(o.sink.contains("Added object [11]: _lume_"));
}

}  // namespace
}  // namespace quenlo
