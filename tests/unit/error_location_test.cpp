// Where a failed build points the author: a fresh new project broken in one
// place, built, and the location block read after the unchanged error line.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/base_script.h"
#include "foundation/project_files.h"
#include "foundation/text.h"
#include "foundation/workspace.h"
#include "generator/pipeline.h"
#include "project/new_project_files.h"
#include "support/temp_project.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

// Line `line` (from 1) of `file` becomes `text`; line 0 stands for the whole file.
struct Edit {
    std::string file;
    std::size_t line;
    std::string text;
};

struct Breakage {
    std::string name;
    std::vector<Edit> edits;
    std::string error;     // the log's error line, as it always was
    std::string location;  // the location line after the project folder's path
    std::string source;    // the source line as shown
    std::string caret;     // "" where the column is not known
    bool check_characters = false;
    // A related place: its note line after the project folder's path, and its source line.
    std::vector<std::string> note = {};
};

const std::string map_picture = "data:image/gif;base64,R0lGODlhAQABAAAAACw=";

const std::vector<Breakage> breakages = {
    {"MisspeltObjectInAnAction",
     {{"actions.qna", 12, "if (f_istaken(_lampada_)) f_win();"}},
     "Error: Unknown objects/rooms/variables: \r\nif (f_istaken(_lampada_)) f_win();\r\n",
     "actions.qna:12:15: error: Unknown objects/rooms/variables: _lampada_",
     "    if (f_istaken(_lampada_)) f_win();",
     std::string(18, ' ') + "^"},
    {"NoBreakSpaceInARoom",
     {{"rooms.qnr", 3, "di\xC2\xA0partenza"}},
     "Error: Invalid character < \xC2\xA0 >",
     "rooms.qnr:3:3: error: Invalid character < \xC2\xA0 > (U+00A0)",
     "    di\xC2\xA0partenza",
     std::string(6, ' ') + "^",
     true},
    {"ZeroWidthSpaceInAnObject",
     {{"objects.qno", 35, "\t:desc.short: chiave\xE2\x80\x8B"}},
     "Error: Invalid character < \xE2\x80\x8B >",
     "objects.qno:35:21: error: Invalid character < \xE2\x80\x8B > (U+200B)",
     "     :desc.short: chiave\xE2\x80\x8B",
     std::string(24, ' ') + "^",
     true},
    {"MapWithALineBreak",
     {{"mapimage1.qn", 0, map_picture},
      {"map1.qn", 0, std::string(90, '0') + "\r\n" + std::string(2430, '0')}},
     "Error: Invalid map1.qn file!",
     "map1.qn:1:91: error: Invalid map1.qn file!: The field of column 2, row 1 (from character "
     "91) holds a line break.",
     "    " + std::string(90, '0'),
     std::string(94, ' ') + "^"},
    {"ConnectionLineWithAName",
     {{"mapimage1.qn", 0, map_picture}, {"connections.qn", 0, "1,2\r\n 3,x_y\r\n"}},
     "Error: Unknown objects/rooms/variables: \r\n3,x_y,\r\n",
     "connections.qn:2:4: error: Unknown objects/rooms/variables: x_y",
     "     3,x_y",
     std::string(7, ' ') + "^"},
    {"DuplicatedRoom",
     {{"rooms.qnr", 18, "_rStanzaBuia_|_vGIARDINO_"}},
     "Error: duplicated room: _rStanzaBuia_",
     "rooms.qnr:18: error: duplicated room: _rStanzaBuia_",
     "    _rStanzaBuia_|_vGIARDINO_",
     "",
     false,
     {"rooms.qnr:9: note: first declared here", "    _rStanzaBuia_"}},
    {"LinkToAnUndeclaredObject",
     {{"rooms.qnr", 13, "d\xC3\xA0 sul {giardino|_giardino_}."}},
     "Error: missing objects specification: _giardino_",
     "rooms.qnr:13:18: error: missing objects specification: _giardino_",
     "    d\xC3\xA0 sul {giardino|_giardino_}.",
     std::string(21, ' ') + "^"},
    {"LinkWithoutItsObject",
     {{"rooms.qnr", 13, "d\xC3\xA0 sul {giardino}."}},
     "Error: failed object merging: Sei in una stanza buia e umida, che odora di sale e di "
     "alghe. Su una parete qualcuno ha inciso una {scritta|_scrittaStanzaBuia_}; in un angolo "
     "c'\xC3\xA8 un vecchio {baule|_baule_} di legno. Una {porta|_uscitaStanzaBuia_} "
     "sgangherata d\xC3\xA0 sul {giardino}. ",
     "rooms.qnr:13:8: error: failed object merging: Sei in una stanza buia e umida, che odora di "
     "sale e di alghe. Su una parete qualcuno ha inciso una {scritta|_scrittaStanzaBuia_}; in "
     "un angolo c'\xC3\xA8 un vecchio {baule|_baule_} di legno. Una {porta|_uscitaStanzaBuia_} "
     "sgangherata d\xC3\xA0 sul {giardino}. ",
     "    d\xC3\xA0 sul {giardino}.",
     std::string(11, ' ') + "^"},
    {"NameInARoomDescription",
     {{"rooms.qnr", 13, "d\xC3\xA0 sul giardino_nord."}},
     "Error: Unknown objects/rooms/variables: \r\n"
     "if ((window.g_room == 1)) rdesc = ('Sei in una stanza buia e umida, che odora di sale e "
     "di alghe. Su una parete qualcuno ha inciso una @c_scrittaStanzaBuia_@scritta@; in un "
     "angolo c\\'&egrave; un vecchio @c_baule_@baule@ di legno. Una "
     "@c_uscitaStanzaBuia_@porta@ sgangherata d&agrave; sul giardino_nord. ');\r\n",
     "rooms.qnr:13:8: error: Unknown objects/rooms/variables: giardino_nord",
     "    d\xC3\xA0 sul giardino_nord.",
     std::string(11, ' ') + "^"},
    {"NameInAMenu",
     {{"objects.qno", 64, "  if (f_istaken(_chiavi_))"}},
     "Error: Unknown objects/rooms/variables: \r\nif (f_istaken(_chiavi_))\r\n",
     "objects.qno:64:17: error: Unknown objects/rooms/variables: _chiavi_",
     "      if (f_istaken(_chiavi_))",
     std::string(20, ' ') + "^"},
    {"NameBesideAVariableInARoomDescription",
     {{"rooms.qnr", 13, "d\xC3\xA0 sul giardino_nord, _vGIARDINO_."}},
     "Error: Unknown objects/rooms/variables: \r\n"
     "if ((window.g_room == 1)) rdesc = ('Sei in una stanza buia e umida, che odora di sale e "
     "di alghe. Su una parete qualcuno ha inciso una @c_scrittaStanzaBuia_@scritta@; in un "
     "angolo c\\'&egrave; un vecchio @c_baule_@baule@ di legno. Una "
     "@c_uscitaStanzaBuia_@porta@ sgangherata d&agrave; sul giardino_nord, window.g_var[2]. "
     "');\r\n",
     "rooms.qnr:13:8: error: Unknown objects/rooms/variables: giardino_nord",
     "    d\xC3\xA0 sul giardino_nord, _vGIARDINO_.",
     std::string(11, ' ') + "^"},
    {"UnknownQuotedNameInACondition",
     {{"conditions.qna", 12,
       "if (f_isplayerin(\"_rSentiero_\") && f_istaken(\"_lanterma_\")) f_win();"}},
     "Error: unknown definition: _lanterma_",
     "conditions.qna:12:47: error: unknown definition: _lanterma_",
     "    if (f_isplayerin(\"_rSentiero_\") && f_istaken(\"_lanterma_\")) f_win();",
     std::string(50, ' ') + "^"},
    {"UnknownQuotedNameInAMenu",
     {{"objects.qno", 64, "if (f_istaken(\"_chiavi_\"))"}},
     "Error: unknown definition: _chiavi_",
     "objects.qno:64:16: error: unknown definition: _chiavi_",
     "    if (f_istaken(\"_chiavi_\"))",
     std::string(19, ' ') + "^"},
    {"DuplicatedObject",
     {{"objects.qno", 41, "{_chiave_}"}},
     "Error: duplicated object: _chiave_",
     "objects.qno:41: error: duplicated object: _chiave_",
     "    {_chiave_}",
     "",
     false,
     {"objects.qno:33: note: first declared here", "    {_chiave_}"}},
    {"DuplicatedExit",
     {{"rooms.qnr", 25,
       "alla scogliera. Alle tue spalle c'\xC3\xA8 la {stanza|_versoStanza_|entra|_rStanzaBuia_}"}},
     "Error: duplicated object: _versoStanza_",
     "rooms.qnr:25:48: error: duplicated object: _versoStanza_",
     "    alla scogliera. Alle tue spalle c'\xC3\xA8 la {stanza|_versoStanza_|entra|_rStanzaBuia_}",
     std::string(51, ' ') + "^",
     false,
     // The note is at the first link, the one in the sample's room 2.
     {"rooms.qnr:21:32: note: first declared here",
      "    Alle tue spalle c'\xC3\xA8 la {stanza|_versoStanza_|entra|_rStanzaBuia_} da cui sei "
      "uscito.",
      std::string(35, ' ') + "^"}},
    {"UnknownRoomOfAnObject",
     {{"objects.qno", 42, ":room: _rStanzaBuja_"}},
     "Error: unknown room: _rStanzaBuja_",
     "objects.qno:42: error: unknown room: _rStanzaBuja_",
     "    :room: _rStanzaBuja_",
     ""},
    {"MessageHeader",
     {{"messages.qnr", 3, "{x2}"}},
     "Error: syntax error: {x2}",
     "messages.qnr:3: error: syntax error: {x2}",
     "    {x2}",
     ""},
    {"NegativeInitialValue",
     {{"variables.qnv", 5, "1:_vMOVES_=-1"}},
     "Error: syntax error: 1:_vMOVES_=-1",
     "variables.qnv:5: error: syntax error: 1:_vMOVES_=-1",
     "    1:_vMOVES_=-1",
     ""},
};

// A new project of the sample adventure, changed by `edits`, to build.
class EditedProject {
public:
    explicit EditedProject(const std::vector<Edit>& edits) {
        write_new_project(BaseScript(), folder);
        for (const Edit& edit : edits) apply(edit);
        workspace.project_folder = folder;
    }

    bool build(bool check_characters = false) {
        workspace.switches.skip_characters_check = !check_characters;
        return generate(workspace, log, ui, false).succeeded;
    }

    // What the log holds from the error line on, without the blank line that ends it.
    std::vector<std::string> error_and_blocks() const {
        const std::vector<std::string> all = sink.texts();
        for (auto line = all.begin(); line != all.end(); ++line)
            if (line->starts_with("Error: ")) return {line, all.end() - 1};
        return {};
    }

    test::TempFolder parent;
    const std::string folder = parent.path() + "/faro";
    Workspace workspace;
    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
    test::RecordingUi ui;

private:
    void apply(const Edit& edit) const {
        const std::string path = project_path(folder, edit.file);
        std::vector<std::string> lines =
            edit.line == 0 ? std::vector<std::string>{edit.text} : read_lines(path);
        if (edit.line > 0) lines.at(edit.line - 1) = edit.text;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << join_lines(lines);
    }
};

class BrokenProject : public ::testing::TestWithParam<Breakage> {};

TEST_P(BrokenProject, LogsWhereTheFaultIsAfterTheErrorLine) {
    const Breakage& breakage = GetParam();
    EditedProject project(breakage.edits);
    EXPECT_FALSE(project.build(breakage.check_characters));
    std::vector<std::string> expected = {breakage.error, project.folder + "/" + breakage.location,
                                         breakage.source};
    if (!breakage.caret.empty()) expected.push_back(breakage.caret);
    for (std::size_t k = 0; k < breakage.note.size(); ++k)
        expected.push_back(k == 0 ? project.folder + "/" + breakage.note[k] : breakage.note[k]);
    EXPECT_EQ(project.error_and_blocks(), expected);

    // The dialog shows the location line under the error.
    const std::string& error = breakage.error;
    ASSERT_EQ(project.ui.errors.size(), 1u);
    EXPECT_EQ(project.ui.errors[0], "Unable to generate HTML files!\r\n\r\n" + error +
                                        (error.ends_with("\r\n") ? "" : "\r\n") + expected[1]);
}

INSTANTIATE_TEST_SUITE_P(OnePlacePerRow, BrokenProject, ::testing::ValuesIn(breakages),
                         [](const auto& info) { return info.param.name; });

TEST(ErrorLocation, EveryReportedLineHasItsOwnBlock) {
    EditedProject project({{"actions.qna", 12, "f_move(_lampada_, _rGiardino_);"},
                           {"counters.qna", 1, "  f_moveout(_remo_);"}});
    EXPECT_FALSE(project.build());
    std::vector<std::string> location_lines;
    for (const std::string& line : project.sink.texts())
        if (line.find(": error: ") != std::string::npos) location_lines.push_back(line);
    const std::string& folder = project.folder;
    EXPECT_EQ(location_lines,
              (std::vector<std::string>{
                  folder + "/actions.qna:12:8: error: Unknown objects/rooms/variables: _lampada_",
                  folder + "/counters.qna:1:13: error: Unknown objects/rooms/variables: _remo_",
              }));
}

// Messages are texts, not code: an underscore in one, the title included,
// is no misspelt name.
TEST(ErrorLocation, UnderscoresInMessagesAreNoNames) {
    EditedProject project({{"messages.qnr", 2, "Il faro_spento"}, {"messages.qnr", 20, "il_sito"}});
    EXPECT_TRUE(project.build());
}

// Notepad's "Unicode" without its mark used to build a page without a title.
TEST(ErrorLocation, MessagesInUtf16WithoutMarkStopTheBuild) {
    std::string utf16;
    for (const char c : std::string("{01}\r\nIl faro spento\r\n{50}\r\nilfaro\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    EditedProject project({{"messages.qnr", 0, utf16}});
    EXPECT_FALSE(project.build());
    EXPECT_EQ(project.error_and_blocks(),
              std::vector<std::string>{"Error: Cannot open file \"" + project.folder +
                                       "/messages.qnr\". It looks like UTF-16 text without a "
                                       "byte-order mark; save it as UTF-8."});
    EXPECT_FALSE(file_exists(project_path(project.folder, "ilfaro_debug.html")));
    EXPECT_FALSE(file_exists(project_path(project.folder, "debug.html")));
}

// The dialog places the error it states. An error without a place (a
// missing file) gives its place to no other error the log lists after it.
TEST(ErrorLocation, TheDialogLendsNoPlaceToAnErrorWithoutOne) {
    EditedProject project({{"variables.qnv", 5, "1:_vMOVES_=-1"}});
    std::remove(project_path(project.folder, "rooms.qnr").c_str());
    EXPECT_FALSE(project.build());
    const std::string error =
        "Error: Cannot open file \"" + project.folder + "/rooms.qnr\". No such file or directory";
    EXPECT_EQ(project.error_and_blocks(),
              (std::vector<std::string>{
                  error, project.folder + "/variables.qnv:5: error: syntax error: 1:_vMOVES_=-1",
                  "    1:_vMOVES_=-1"}));
    EXPECT_EQ(project.ui.errors,
              std::vector<std::string>{"Unable to generate HTML files!\r\n\r\n" + error});
}

TEST(ErrorLocation, AStoppedBuildShowsNoPlace) {
    EditedProject project({{"messages.qnr", 3, "{x2}"}});
    project.events.on_poll = [&](int) { project.workspace.stop = true; };
    EXPECT_FALSE(project.build());
    EXPECT_EQ(project.error_and_blocks(),
              std::vector<std::string>{"Error: process stopped by user"});
    EXPECT_EQ(project.ui.errors,
              std::vector<std::string>{"Unable to generate HTML files!\r\n\r\nError: process "
                                       "stopped by user"});
}

}  // namespace
}  // namespace quenlo
