#include "compilers/compile_rooms.h"

#include <gtest/gtest.h>

#include "support/build_harness.h"

namespace quenlo {
namespace {

struct Rooms : test::PhaseHarness {
    explicit Rooms(const std::string& source, bool map_enabled = false)
        : test::PhaseHarness({{"rooms.qnr", source}}) {
        build.page = "desc{\r\n___ROOMS___}\r\nids[\r\n___ROOMIDS___]";
        build.map_enabled = map_enabled;
        build.lstvar.assign(100, "");
        build.lstvar[4] = "_vTestoBosco_";
    }
    std::string compile() {
        return error_of([&] { compile_rooms(build); });
    }
    std::vector<std::string> code() const { return test::lines_between(build.page, "desc{", "}"); }
    std::vector<std::string> identifiers() const {
        return test::lines_between(build.page, "ids[", "]");
    }
};

TEST(CompileRooms, TwoRoomsWithLinksAndAStartRoom) {
    Rooms r(
        "// le stanze\r\n"
        "{*1}\r\n"
        "_rStanzaBuia_\r\n"
        "Una stanza buia. C'è una {scritta|_scrittaStanzaBuia_} sul muro.\r\n"
        "  Si può {uscire|_uscitaStanzaBuia_}.  \r\n"
        "\r\n"
        "{2}\r\n"
        "_rGiardino_\r\n"
        "Un giardino. Torna al {buio|_buio2_|entra|_rStanzaBuia_}.\r\n");
    ASSERT_EQ(r.compile(), "(no error)");
    EXPECT_EQ(r.code(),
              (std::vector<std::string>{
                  "if ((window.g_room == 1)) rdesc = ('Una stanza buia. C\\'&egrave; una "
                  "@c_scrittaStanzaBuia_@scritta@ sul muro. Si pu&ograve; "
                  "@c_uscitaStanzaBuia_@uscire@. ');",
                  "if ((window.g_room == 2)) rdesc = ('Un giardino. Torna al @c_buio2_@buio@. ');",
              }));
    const auto ids = r.identifiers();
    ASSERT_EQ(ids.size(), 80u);
    EXPECT_EQ(ids[0], "'',");
    EXPECT_EQ(ids[1], "'_rStanzaBuia_',");
    EXPECT_EQ(ids[2], "'_rGiardino_',");
    EXPECT_EQ(ids[79], "'',");
    ASSERT_EQ(r.build.lstroom.size(), 80u);
    EXPECT_EQ(r.build.lstroom[2], "_rGiardino_");
    EXPECT_EQ(r.build.start_room, 1);
    EXPECT_EQ(r.build.symbols.size(), 2u);
    EXPECT_EQ(r.build.symbols.find("_rGiardino_")->kind, SymbolKind::room);
    EXPECT_EQ(r.build.room_link_objects,
              (std::vector<std::string>{"_scrittaStanzaBuia_", "_uscitaStanzaBuia_", "_buio2_"}));
    ASSERT_EQ(r.build.exits.size(), 1u);
    EXPECT_EQ(r.build.exits[0].destination, "_rStanzaBuia_");
    EXPECT_EQ(r.build.reAddCond, "");  // the map is off and no room is a dialog room
    EXPECT_EQ(r.log_texts(), (std::vector<std::string>{
                                 "Merge file: " + r.project.file("rooms.qnr"),
                                 "Found room: 1",
                                 " -> start room",
                                 " -> _rStanzaBuia_",
                                 "Found room: 2",
                                 " -> _rGiardino_",
                                 "Merge room object: _scrittaStanzaBuia_",
                                 "Merge room object: _uscitaStanzaBuia_",
                                 "Added room: 1 : _rStanzaBuia_",
                                 "Merge room object: _buio2_",
                                 "Added room: 2 : _rGiardino_",
                             }));
}

TEST(CompileRooms, NoRooms) {
    Rooms r("");
    r.build.start_room = 1;
    ASSERT_EQ(r.compile(), "(no error)");
    EXPECT_TRUE(r.code().empty());
    EXPECT_EQ(r.identifiers(), std::vector<std::string>(80, "'',"));
    EXPECT_EQ(r.build.start_room, 1);
}

TEST(CompileRooms, ResetsTheBuffersOfTheDeclarationCompilers) {
    Rooms r("{3}\r\n_rA_\r\n");
    for (std::string* buffer : {&r.build.reAddCond, &r.build.reAddAction, &r.build.reAddMenu,
                                &r.build.reAddCounter})
        *buffer = "vecchio\r\n";
    r.build.room_link_objects = {"_x_"};
    r.build.lstobjroom = {"_x_"};
    r.build.exits = {{"_x_", "vai", "_rY_", {}, {}}};
    ASSERT_EQ(r.compile(), "(no error)");
    for (const std::string* buffer : {&r.build.reAddCond, &r.build.reAddAction, &r.build.reAddMenu,
                                      &r.build.reAddCounter})
        EXPECT_EQ(*buffer, "");
    EXPECT_TRUE(r.build.room_link_objects.empty());
    EXPECT_TRUE(r.build.lstobjroom.empty());
    EXPECT_TRUE(r.build.exits.empty());
}

TEST(CompileRooms, SelectingVariablePicksAmongTheTexts) {
    Rooms r(
        "{6}\r\n_rBOSCO_|_vTestoBosco_\r\nprimo\r\n\xC2\xA7\r\nsecondo\r\n\xC2\xA7\r\nterzo\r\n");
    ASSERT_EQ(r.compile(), "(no error)");
    EXPECT_EQ(r.code(),
              (std::vector<std::string>{
                  "if ((window.g_room == 6)&& (window.g_var[4]<=1)) rdesc = ('primo ');",
                  "if ((window.g_room == 6)&& (window.g_var[4]==2)) rdesc = ('secondo ');",
                  "if ((window.g_room == 6)&& (window.g_var[4]==3)) rdesc = ('terzo ');",
              }));
    EXPECT_TRUE(r.sink.contains(" -> _vTestoBosco_"));
    EXPECT_EQ(r.build.lstroom[6], "_rBOSCO_");
}

TEST(CompileRooms, TextsStopAtTheFirstEmptyOneAndNeedAVariable) {
    Rooms with("{6}\r\n_rA_|_vTestoBosco_\r\nuno\r\n\xC2\xA7\r\n\xC2\xA7\r\ntre\r\n");
    ASSERT_EQ(with.compile(), "(no error)");
    EXPECT_EQ(with.code().size(), 1u);

    Rooms without("{6}\r\n_rA_\r\nuno\r\n\xC2\xA7\r\ndue\r\n");
    ASSERT_EQ(without.compile(), "(no error)");
    EXPECT_EQ(without.code(),
              std::vector<std::string>{"if ((window.g_room == 6)) rdesc = ('uno ');"});
}

TEST(CompileRooms, SixthTextIsASyntaxError) {
    std::string source = "{6}\r\n_rA_|_vTestoBosco_\r\n";
    for (int i = 0; i < 5; ++i) source += "testo\r\n\xC2\xA7\r\n";
    Rooms r(source);
    EXPECT_EQ(r.compile(), "syntax error: \xC2\xA7");
}

TEST(CompileRooms, DiscoveryAndDialogConditions) {
    Rooms on("{:*#5}\r\n_rA_\r\n{:7}\r\n_rB_\r\n{8}\r\n_rC_\r\n{:0}\r\n_rZero_\r\n", true);
    ASSERT_EQ(on.compile(), "(no error)");
    EXPECT_EQ(on.build.reAddCond,
              "if (window.g_room == 5) window.g_dialogroom = true;\r\n"
              "if (window.g_room == 7) f_discovermap(7);\r\n"
              "if (window.g_room == 7) window.g_dialogroom = true;\r\n"
              "if (window.g_room == 8) f_discovermap(8);\r\n");
    EXPECT_EQ(on.build.start_room, 5);

    Rooms off("{7}\r\n_rB_\r\n");
    ASSERT_EQ(off.compile(), "(no error)");
    EXPECT_EQ(off.build.reAddCond, "");
}

TEST(CompileRooms, LastHeaderMayLackItsIdentifier) {
    Rooms r("{1}\r\n_rA_\r\n{:9}\r\n", true);
    ASSERT_EQ(r.compile(), "(no error)");
    EXPECT_EQ(r.build.lstroom[9], "");
    EXPECT_EQ(r.identifiers()[9], "'',");
    EXPECT_EQ(r.build.reAddCond,
              "if (window.g_room == 1) f_discovermap(1);\r\n"
              "if (window.g_room == 9) f_discovermap(9);\r\n"
              "if (window.g_room == 9) window.g_dialogroom = true;\r\n");
}

TEST(CompileRooms, RoomZeroIsListedButHasNoDescription) {
    Rooms r("{0}\r\n_rZero_\r\nmai visto\r\n");
    ASSERT_EQ(r.compile(), "(no error)");
    EXPECT_TRUE(r.code().empty());
    EXPECT_EQ(r.identifiers()[0], "'_rZero_',");
    EXPECT_TRUE(r.sink.contains("Added room: 0 : _rZero_"));
}

TEST(CompileRooms, IndexLimits) {
    Rooms top("{79}\r\n_rUltima_\r\n");
    EXPECT_EQ(top.compile(), "(no error)");
    for (const std::string header : {"{80}", "{-1}", "{}", "{*}", "{#*3}", "{*:3}", "{x}"}) {
        Rooms r(header + "\r\n_rA_\r\n");
        EXPECT_EQ(r.compile(), "syntax error: " + header) << header;
    }
}

TEST(CompileRooms, StartRoomMustBeUnique) {
    Rooms r("{*1}\r\n_rA_\r\n{*2}\r\n_rB_\r\n");
    EXPECT_EQ(r.compile(), "start room is not unique");
}

TEST(CompileRooms, StructureErrors) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"_rA_\r\n", "syntax error: _rA_"},
        {"testo\r\n", "syntax error: testo"},
        {"{1}\r\ntesto\r\n", "syntax error: testo"},
        {"{1}\r\n{2}\r\n_rA_\r\n", "syntax error: {2}"},
        {"{1}\r\n_rA_\r\n{1}\r\n_rB_\r\n", "syntax error: Duplicated room index: {1}"},
        {"{1}\r\n_rA_|_vNessuna_\r\n", "unknown variable: _vNessuna_"},
        {"{1}\r\n_rA-b_\r\n", "invalid definition: _rA-b_"},
        {"{1}\r\n_rA_\r\n{2}\r\n_rA_\r\n", "duplicated room: _rA_"},
        // An identifier line inside a description renames the room...
        {"{1}\r\n_rA_\r\ntesto\r\n_rA_\r\n", "duplicated room: _rA_"},
        // ...and a short link alone on its line is a header.
        {"{1}\r\n_rA_\r\n{a|_b_}\r\n", "syntax error: {a|_b_}"},
        {"{1}\r\n_rA_\r\n{bosco|_b15_|vai|_rNessuna_}\r\n",
         "unknown direction in rooms.qnr: _rNessuna_"},
        {"{1}\r\n_rA_\r\nuna {barra|}\r\n", "failed object merging: una {barra|} "},
    };
    for (const auto& [source, message] : cases) {
        Rooms r(source);
        EXPECT_EQ(r.compile(), message) << source;
    }
}

TEST(CompileRooms, RenamedRoomKeepsItsTexts) {
    Rooms r("{1}\r\n_rA_\r\nprima\r\n_rB_\r\ndopo\r\n");
    ASSERT_EQ(r.compile(), "(no error)");
    EXPECT_EQ(r.build.lstroom[1], "_rB_");
    EXPECT_EQ(r.code(),
              std::vector<std::string>{"if ((window.g_room == 1)) rdesc = ('prima dopo ');"});
}

// A room is no duplicate of a variable whose name holds its own; it is one
// of a variable of the same name.
TEST(CompileRooms, DefinitionsAreComparedAsWholeNames) {
    Rooms inside("{1}\r\n_rBOSCO_\r\n");
    inside.build.symbols.declare({"_v_rBOSCO_", SymbolKind::variable, {}});
    EXPECT_EQ(inside.compile(), "(no error)");
    Rooms same("{1}\r\n_rBOSCO_\r\n");
    same.build.symbols.declare({"_rBOSCO_", SymbolKind::variable, {}});
    EXPECT_EQ(same.compile(), "duplicated definition: _rBOSCO_");
}

TEST(CompileRooms, ExitToADeclaredRoomPasses) {
    Rooms r("{1}\r\n_rA_\r\n{via|_viaA_|vai|_rB_}\r\n{2}\r\n_rB_\r\n");
    // "{via|_viaA_|vai|_rB_}" is longer than seven characters: a description line.
    ASSERT_EQ(r.compile(), "(no error)");
    ASSERT_EQ(r.build.exits.size(), 1u);
    EXPECT_EQ(r.build.exits[0].object, "_viaA_");
    EXPECT_EQ(r.build.exits[0].verb, "vai");
    EXPECT_EQ(r.build.exits[0].object_place.line, 3u);
}

TEST(CompileRooms, StopRequestEndsTheCompiler) {
    Rooms r("{1}\r\n_rA_\r\ntesto\r\n");
    r.events.on_poll = [&](int polls) {
        if (polls == 3) r.stop = true;
    };
    EXPECT_EQ(r.compile(), "");
}

}  // namespace
}  // namespace quenlo
