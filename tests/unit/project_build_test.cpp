// Whole builds of small projects, read the way an author reads the result:
// the log and the debug page.

#include <gtest/gtest.h>

#include <algorithm>

#include "bench/large_project.h"
#include "foundation/text.h"
#include "support/build_harness.h"

namespace quenlo {
namespace {

// A base script with every placeholder the declaration compilers fill, each
// inside the array or function the runtime keeps it in.
constexpr std::string_view base_script =
    "<title>\r\n___TITLE___\r\n</title>\r\n"
    "var g_enablemap = ___ENABLEMAP___;\r\n"
    "var g_map1 = [\r\n___MAP1___\r\n];\r\n"
    "var g_map2 = [\r\n___MAP2___\r\n];\r\n"
    "var g_map3 = [\r\n___MAP3___\r\n];\r\n"
    "var g_connections = [\r\n___CONNECTIONS___\r\n0\r\n];\r\n"
    "var g_roomids = [\r\n___ROOMIDS___''];\r\n"
    "var g_objectids = [\r\n'',\r\n___OBJECTIDS___''];\r\n"
    "var g_variableids = [\r\n___VARIABLEIDS___''];\r\n"
    "var g_mes = [\r\n'',\r\n___MESSAGES___''];\r\n"
    "///===\r\n"
    "___FUNCTIONS___\r\n"
    "function f_getroomdesc(r) {\r\nvar rdesc = '';\r\n___ROOMS___\r\nreturn rdesc;\r\n}\r\n"
    "function f_getactions() {\r\n___ACTIONS___\r\nreturn false;\r\n}\r\n"
    "function f_getmenus(id, node, index) {\r\n___MENUS___\r\n}\r\n"
    "function f_getconditions() {\r\n___CONDITIONS___\r\n}\r\n"
    "function f_getcounters() {\r\n___COUNTERS___\r\n}\r\n"
    "function f_getvariables() {\r\n___INITIALIZATION___\r\n}\r\n"
    "function f_getobjects() {\r\n___OBJECTS___\r\n}\r\n"
    "var help = '<p>'+\r\n'___HELP___'+\r\n'</p>';\r\n"
    "var intro = '<p>'+\r\n'___INTRO___'+\r\n'</p>';\r\n"
    "var fail = '___FAIL___';\r\n"
    "var success = '___SUCCESS___';\r\n"
    "window.g_start_room = ___STARTROOM___;\r\n"
    "#HELP\r\n";

std::string numbered_messages() {
    std::string text;
    for (int n = 1; n <= 99; ++n) {
        text += "{" + std::to_string(n) + "}\r\n";
        if (n == 1)
            text += "L'avventura di prova\r\n";
        else if (n == 50)
            text += "prova\r\n";
        else
            text += "Messaggio " + std::to_string(n) + "\r\n";
    }
    return text;
}

std::string hundred_variables() {
    std::string text = "// indice:nome=valore\r\n0:_vCOMPLETION_=0\r\n1:_vMOVES_=0\r\n";
    text += "2:_vTestoGiardino_=1\r\n";
    for (int n = 3; n < 100; ++n) text += std::to_string(n) + ":_vN" + std::to_string(n) + "_\r\n";
    return text;
}

std::string rooms() {
    std::string text =
        "{*1}\r\n_rStanzaBuia_\r\n"
        "Una stanza buia. Sul muro c'è una {scritta|_scrittaStanzaBuia_}.\r\n"
        "Una porta conduce {fuori|_uscitaStanzaBuia_}.\r\n"
        "{:2}\r\n_rGiardino_|_vTestoGiardino_\r\n"
        "Un giardino fiorito. Puoi {rientrare|_rientro_|entra|_rStanzaBuia_}.\r\n"
        "\xC2\xA7\r\n"
        "Il giardino, di notte. Puoi {rientrare|_rientroNotte_|entra|_rStanzaBuia_}.\r\n";
    for (int n = 3; n < 80; ++n)
        text += "{" + std::to_string(n) + "}\r\n_rS" + std::to_string(n) + "_\r\nStanza " +
                std::to_string(n) + ".\r\n";
    return text;
}

std::string objects() {
    std::string text =
        "// gli oggetti\r\n"
        "{_scrittaStanzaBuia_}\r\n"
        ":desc.examine: C'è scritto:\r\n"
        "''Esci di qui''.\r\n"
        ":examinable\r\n"
        "{_uscitaStanzaBuia_}\r\n"
        ":desc.direction: esci\r\n"
        ":direction: _rGiardino_\r\n"
        "{_lavagna_}\r\n"
        ":room: _rStanzaBuia_\r\n"
        ":desc.short: lavagna\r\n"
        ":desc.long: una lavagna\r\n"
        ":weight: 10\r\n"
        ":weight.worn: 1\r\n"
        ":tag: 3\r\n"
        ":desc.found: Dietro c'è una chiave.\r\n"
        ":desc.talk: Silenzio.\r\n"
        ":desc.next.talk: Ancora silenzio.\r\n"
        ":found: _chiave_\r\n"
        ":examinable usable takeable talkable\r\n"
        ":menu:\r\n"
        "if (f_istaken(\"_lavagna_\"))\r\n"
        "-\"te stesso\";\r\n"
        "-f_inventory();\r\n"
        "++\"cancella\";\r\n"
        "{_chiave_}\r\n"
        ":room: _rOUT_\r\n"
        ":desc.short: chiave\r\n"
        ":desc.long: una chiave\r\n"
        ":wearable\r\n";
    for (int n = 0; n < 282; ++n)
        text += "{_cosa" + std::to_string(n) +
                "_}\r\n:room: 3\r\n:desc.short: cosa\r\n"
                ":desc.long: una cosa\r\n";
    return text;
}

std::map<std::string, std::string> full_project() {
    return {{"base.qn", std::string(base_script)},
            {"messages.qnr", numbered_messages()},
            {"variables.qnv", hundred_variables()},
            {"rooms.qnr", rooms()},
            {"objects.qno", objects()},
            {"actions.qna",
             "if (f_isverb(\"esamina\") && f_isobj1(\"_lavagna_\")) {\r\n"
             "  f_show(\"La lavagna è vuota.\");\r\n}\r\n"},
            {"functions.qna", "function prova() {\r\n  return \"_rGiardino_\";\r\n}\r\n"},
            {"conditions.qna", "if (_vMOVES_ > 10) f_show(\"Stanco?\");\r\n"},
            {"counters.qna", "_vMOVES_ = _vMOVES_ + 1;\r\n"},
            {"help.qni", "Tocca le parole."},
            {"intro.qni", "Benvenuto.\r\n\xC2\xA7\r\nBuon gioco."},
            {"success.qni", "Hai vinto in {_vMOVES_} mosse."},
            {"fail.qni", "Hai perso."}};
}

TEST(ProjectBuild, FullProjectBuildsAndThePageHoldsEveryDeclaration) {
    const test::TempProject project(full_project());
    const test::BuildOutcome outcome = test::build_project(project);
    ASSERT_TRUE(outcome.succeeded) << outcome.error;
    const std::string& page = outcome.page;
    EXPECT_TRUE(project.has("prova_debug.html"));  // named after message 50

    EXPECT_EQ(test::lines_between(page, "<title>", "</title>"),
              std::vector<std::string>{"L'avventura di prova"});  // every line is trimmed
    const auto messages = test::lines_between(page, "var g_mes = [", "''];");
    ASSERT_EQ(messages.size(), 100u);  // the empty entry 0 and the 99 messages
    EXPECT_EQ(messages[1], "'L\\'avventura di prova',");
    EXPECT_EQ(messages[99], "'Messaggio 99',");

    const auto variables = test::lines_between(page, "var g_variableids = [", "''];");
    ASSERT_EQ(variables.size(), 100u);
    EXPECT_EQ(variables[2], "'_vTestoGiardino_',");
    // The 100 initialisations and the counter, its variable rewritten.
    EXPECT_EQ(test::lines_starting_with(page, "window.g_var[").size(), 101u);

    const auto room_ids = test::lines_between(page, "var g_roomids = [", "''];");
    ASSERT_EQ(room_ids.size(), 80u);
    EXPECT_EQ(room_ids[0], "'',");
    EXPECT_EQ(room_ids[2], "'_rGiardino_',");

    const auto object_ids = test::lines_between(page, "var g_objectids = [", "''];");
    ASSERT_EQ(object_ids.size(), 301u);  // the empty entry before the 300
    EXPECT_EQ(object_ids[12], "'_scrittaStanzaBuia_',");
    EXPECT_EQ(object_ids[299], "'_rientroNotte_',");  // the 288th object
    EXPECT_EQ(object_ids[300], "'',");

    const auto calls = test::lines_starting_with(page, "f_addobj(");
    ASSERT_EQ(calls.size(), 288u);
    EXPECT_EQ(
        calls[1],
        "f_addobj('_uscitaStanzaBuia_','','','','','esci',2,0,'I*',2,0,0,0,0,0,'',0,0,0,'','');");
    EXPECT_EQ(calls[2],
              "f_addobj('_lavagna_','lavagna','una lavagna','',' Dietro c\\'&egrave; una chiave.',"
              "'',1,1,'I*',0,10,1,1,1,1,'_chiave_',3,0,1,' Silenzio.',' Ancora silenzio.');");
    EXPECT_EQ(
        calls[3],
        "f_addobj('_chiave_','chiave','una chiave','','','',1,0,'I*',0,0,0,0,0,2,'',0,0,0,'','');");
    EXPECT_EQ(
        calls[287],
        "f_addobj('_rientroNotte_','','','','','entra',2,0,'I*',1,0,0,0,0,0,'',0,0,0,'','');");

    EXPECT_EQ(test::lines_between(page, "var rdesc = '';", "return rdesc;")[0],
              "if ((window.g_room == 1)) rdesc = ('Una stanza buia. Sul muro c\\'&egrave; una "
              "@c_scrittaStanzaBuia_@scritta@. Una porta conduce @c_uscitaStanzaBuia_@fuori@. ');");
    EXPECT_EQ(test::lines_between(page, "var rdesc = '';", "return rdesc;")[2],
              "if ((window.g_room == 2)&& (window.g_var[2]==2)) rdesc = ('Il giardino, di notte. "
              "Puoi @c_rientroNotte_@rientrare@. ');");
    EXPECT_NE(page.find("window.g_start_room = 1;"), std::string::npos);

    EXPECT_EQ(test::lines_between(page, "function f_getactions() {", "return false;"),
              (std::vector<std::string>{
                  "// actions.qna line:1",
                  "if (f_isverb('esamina') && f_isobj1('_lavagna_')) {",
                  "// actions.qna line:2",
                  "f_show('La lavagna &egrave; vuota.');",
                  "// actions.qna line:3",
                  ";}",
              }));
    EXPECT_EQ(test::lines_between(page, "function f_getconditions() {", "}"),
              (std::vector<std::string>{"if (window.g_room == 2) window.g_dialogroom = true;", "",
                                        "// conditions.qna line:1",
                                        "if (window.g_var[1] > 10) f_show('Stanco?');"}));
    EXPECT_NE(page.find("''];\r\n// functions.qna line:1\r\nfunction prova() {\r\n"),
              std::string::npos);  // right after the declarations, the marker line gone
    EXPECT_EQ(page.find("///==="), std::string::npos);
    const auto menus = test::lines_between(page, "function f_getmenus(id, node, index) {", ";}");
    EXPECT_EQ(menus, (std::vector<std::string>{
                         "// --------------------------------------",
                         "// objects.qno :menu: for object: _lavagna_",
                         "if (id=='_lavagna_'){ window.g_list.length = 0;",
                         "if (f_istaken('_lavagna_'))",
                         "f_addvm('te stesso');",
                         "f_inventory();",
                         "f_additem(node,'cancella',window.g_list); window.g_list.length = 0;",
                     }));
    EXPECT_NE(page.find("var success = 'Hai vinto in '+window.g_var[1]+' mosse.';"),
              std::string::npos);
    EXPECT_NE(page.find("'Benvenuto. </p>\xC2\xA7<p> Buon gioco.'+"), std::string::npos);
    EXPECT_NE(page.find("var g_enablemap = false;"), std::string::npos);
    // The image phase emptied the connections, the last placeholder left.
    EXPECT_EQ(page.find("___"), std::string::npos);
}

TEST(ProjectBuild, LogFollowsThePhases) {
    const test::TempProject project(full_project());
    const test::BuildOutcome outcome = test::build_project(project);
    ASSERT_TRUE(outcome.succeeded) << outcome.error;
    const std::vector<std::string> milestones = {
        "Check for map image (mapimage1.qn) ...",
        "NOT FOUND! Map disabled...",
        "Replaced [ ___VERSION___ ]",
        "Replaced [ ___ENABLEMAP___ ]",
        "Replaced [ ___MAP3___ ]",
        "Merge file: " + project.file("help.qni"),
        "Merge file: " + project.file("intro.qni"),
        "Merge file: " + project.file("messages.qnr"),
        "Added message: 99",
        "Replaced [ ___TITLE___ ]",
        "Merge file: " + project.file("variables.qnv"),
        "Added variable: 99:_vN99_",
        "Merge file: " + project.file("rooms.qnr"),
        "Found room: 1",
        " -> start room",
        "Added room: 79 : _rS79_",
        "Replaced [ ___STARTROOM___ ]",
        "Merge file: " + project.file("objects.qno"),
        "Added object [298]: _rientroNotte_",
        "Converting strings...",
        "Replaced [ ___MENUS___ ]",
        "Merging actions.qna ...",
        "Replaced [ ___ACTIONS___ ]",
        "Merging functions.qna ...",
        "Merging conditions.qna ...",
        "Merging counters.qna ...",
        "...100%",
        "Replaced [ ___COUNTERS___ ]",
        "Generated: " + project.file("prova_debug.html"),
    };
    std::size_t next = 0;
    for (const std::string& line : outcome.log)
        if (next < milestones.size() && line == milestones[next]) ++next;
    EXPECT_EQ(next, milestones.size())
        << "missing: " << milestones[std::min(next, milestones.size() - 1)];
}

TEST(ProjectBuild, MapFilesReachThePage) {
    auto files = full_project();
    std::string map1 = std::string(2520, '0') + "\r\n";
    map1.replace(0, 3, "101");
    files["mapimage1.qn"] = "data:image/gif;base64,R0lGODlhAQABAAAAACw=";
    files["map1.qn"] = map1;
    files["map2.qn"] = std::string(2520, '0') + "\r\n";
    files["map3.qn"] = std::string(2520, '0') + "\r\n";
    files["connections.qn"] = "1,2\r\n";
    const test::TempProject project(files);
    const test::BuildOutcome outcome = test::build_project(project);
    ASSERT_TRUE(outcome.succeeded) << outcome.error;
    EXPECT_NE(outcome.page.find("var g_enablemap = true;"), std::string::npos);
    EXPECT_NE(outcome.page.find("var g_map1 = [\r\n101,0,0,"), std::string::npos);
    EXPECT_NE(outcome.page.find("var g_connections = [\r\n1,2,\r\n\r\n0\r\n];"), std::string::npos);
    // With the map on, rooms uncover it as they are discovered.
    EXPECT_NE(outcome.page.find("if (window.g_room == 1) f_discovermap(1);"), std::string::npos);
}

TEST(ProjectBuild, EveryCompilerStopsTheBuildWithItsMessage) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"messages.qnr", "{1x}\r\n", "syntax error: {1x}"},
        {"variables.qnv", "1:_vA_\r\n1:_vB_\r\n", "duplicated variable index: 1"},
        {"rooms.qnr", "{1}\r\n_rA_\r\n{2}\r\n_rA_\r\n", "duplicated room: _rA_"},
        {"rooms.qnr", "{1}\r\n_vMOVES_\r\n", "duplicated definition: _vMOVES_"},
        {"rooms.qnr", "{*1}\r\n_rA_\r\n{*2}\r\n_rB_\r\n", "start room is not unique"},
        {"rooms.qnr", "{1}\r\n_rA_|_vNO_\r\n", "unknown variable: _vNO_"},
        {"rooms.qnr", "{1}\r\n_rA_\r\na {b|}\r\n", "failed object merging: a {b|} "},
        {"rooms.qnr", "{1}\r\n_rA_\r\n{via|_via_|vai|_rNO_}\r\n",
         "unknown direction in rooms.qnr: _rNO_"},
        {"objects.qno", "{_a_}\r\n:room: _rNO_\r\n", "unknown room: _rNO_"},
        {"objects.qno", "{_a_}\r\n:tag: x\r\n", "'x' is not a valid integer value"},
        {"objects.qno", "{_a_}\r\n:found: x\r\n", "unknown :found: object: x"},
        {"objects.qno", "{_a_}\r\n:volante\r\n", "unknown object property: volante"},
        {"objects.qno", "{_a_}\r\n", "Missing short/long description for float object: _a_"},
        {"objects.qno", "{_a_}\r\n:desc.short: a\r\n:desc.long: a\r\n:found: _b_\r\n",
         "unknown :found: objects specification: _b_"},
        {"objects.qno",
         "{_a_}\r\n:desc.short: a\r\n:desc.long: a\r\n{_A_}\r\n:desc.short: a\r\n:desc.long: a\r\n",
         "duplicated object: _A_"},
        {"actions.qna", "f(\"_rNO_\");\r\n", "unknown definition: _rNO_"},
        {"help.qni", "\xFF\xFE", "(no error)"},
    };
    for (const auto& [file, content, message] : cases) {
        test::Files files = {{"base.qn", std::string(base_script)},
                             {"variables.qnv", "1:_vMOVES_\r\n"}};
        files[file] = content;
        const test::TempProject project(files);
        const test::BuildOutcome outcome = test::build_project(project);
        EXPECT_EQ(outcome.succeeded ? "(no error)" : outcome.error, message) << file << content;
        EXPECT_EQ(outcome.succeeded, project.has("debug.html"));
    }
}

TEST(ProjectBuild, FixedObjectAndMissingDeclarationThroughTheRooms) {
    const test::TempProject fixed(test::Files{{"rooms.qnr", "{1}\r\n_rA_\r\nuna {leva|_leva_}\r\n"},
                                              {"objects.qno", "{_leva_}\r\n:takeable\r\n"}});
    EXPECT_EQ(test::build_project(fixed).error, "wrong propriety for fixed object: _leva_");
    const test::TempProject missing(
        test::Files{{"rooms.qnr", "{1}\r\n_rA_\r\nuna {leva|_leva_}\r\n"}});
    EXPECT_EQ(test::build_project(missing).error, "missing objects specification: _leva_");
}

TEST(ProjectBuild, InvalidMapFilesStopTheBuild) {
    const test::TempProject map(test::Files{{"mapimage1.qn", "x"}});
    EXPECT_EQ(test::build_project(map).error, "Invalid map1.qn file!");
    const std::string blank = std::string(2520, '0');
    const test::TempProject connections(
        {{"mapimage1.qn", "x"}, {"map1.qn", blank}, {"map2.qn", blank}, {"map3.qn", blank}});
    connections.remove("connections.qn");
    // The project check would refuse this folder; a build reports the file.
    EXPECT_EQ(test::build_project(connections).error, "Invalid connections.qn file!");
}

TEST(ProjectBuild, TheBenchmarksLargeProjectBuilds) {
    test::TempFolder folder;
    bench::write_large_project(folder.path());
    const test::BuildOutcome outcome = test::build_project(folder);
    ASSERT_TRUE(outcome.succeeded) << outcome.error;
    EXPECT_EQ(test::lines_starting_with(outcome.page, "f_addobj(").size(), 288u);
    EXPECT_EQ(test::lines_starting_with(outcome.page, "if ((window.g_room == ").size(), 79u * 5);
    // The initialisations, "window.g_var[i]=value;", among the rewritten counters.
    const auto assignments = test::lines_starting_with(outcome.page, "window.g_var[");
    EXPECT_EQ(
        std::count_if(assignments.begin(), assignments.end(),
                      [](const std::string& line) { return line.find("]=") != std::string::npos; }),
        100);
    EXPECT_EQ(test::lines_starting_with(outcome.page, "if (id=='").size(), 288u - 79);
    EXPECT_EQ(test::lines_starting_with(outcome.page, "// actions.qna line:").size(),
              test::lines_starting_with(folder.read("actions.qna"), "").size());
    EXPECT_NE(outcome.page.find("var g_enablemap = true;"), std::string::npos);
    EXPECT_TRUE(folder.has("grande_debug.html"));
}

}  // namespace
}  // namespace quenlo
