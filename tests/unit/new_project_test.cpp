#include "project/new_project.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "foundation/base_script.h"
#include "foundation/error.h"
#include "foundation/stored_resources.h"
#include "foundation/workspace.h"
#include "project/new_project_files.h"
#include "project/projects_folder.h"
#include "project/set_project.h"
#include "support/scripted_dialogs.h"
#include "support/temp_project.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> folder_listing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

int count_of(std::string_view text, std::string_view what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos;
         at = text.find(what, at + what.size()))
        ++n;
    return n;
}

// A small base script with every kind of section a project is made from.
const BaseScript small_base(
    "<html>page</html>\r\n"
    "#HELP\r\n"
    "\r\n"
    "  Tocca le parole.  \r\n"
    "Seconda riga  \r\n"
    "\r\n"
    "#VARIABLES   \r\n"
    "// indice:nome=valore\r\n"
    "0:_vMOVES_=0\r\n"
    "#variables\r\n"
    "not the section\r\n"
    "#COVERIMAGE\r\n"
    "  data:image/gif;base64,\r\n"
    "  R0lGOD  \r\n"
    "\tlhAQAB\r\n"
    "#\r\n"
    "#FAILIMAGE\r\n"
    "#SUCCESS\r\n"
    "Hai vinto! \xC3\xA8 fatta\r\n");

TEST(SectionFileText, TrimsTheWholeSectionAndEndsEveryLineWithCrLf) {
    EXPECT_EQ(section_file_text(small_base, "#HELP"), "Tocca le parole.  \r\nSeconda riga\r\n");
    EXPECT_EQ(section_file_text(small_base, "#SUCCESS"), "Hai vinto! \xC3\xA8 fatta\r\n");
}

TEST(SectionFileText, FindsAHeaderWithBlanksAroundButNotAnotherCase) {
    EXPECT_EQ(section_file_text(small_base, "#VARIABLES"),
              "// indice:nome=valore\r\n0:_vMOVES_=0\r\n");
}

TEST(SectionFileText, AnImageBecomesOneLine) {
    // A lone "#" is content, not a header.
    EXPECT_EQ(section_file_text(small_base, "#COVERIMAGE"),
              "data:image/gif;base64,R0lGODlhAQAB#\r\n");
}

TEST(SectionFileText, AMissingOrEmptySectionGivesAnEmptyFile) {
    EXPECT_EQ(section_file_text(small_base, "#FAILIMAGE"), "");
    EXPECT_EQ(section_file_text(small_base, "#REFERENCE"), "");
    EXPECT_EQ(section_file_text(small_base, "#INTRO"), "");
}

TEST(BlankMap, Is840EmptyCellsOnOneLine) {
    const std::string map = blank_map_text();
    EXPECT_EQ(map.size(), 2522u);
    EXPECT_EQ(map.substr(0, 2520), std::string(2520, '0'));
    EXPECT_EQ(map.substr(2520), "\r\n");
}

class NewProjectFiles : public ::testing::Test {
protected:
    std::string folder() const { return parent.path() + "/Avventura"; }
    test::TempFolder parent;
    BaseScript stored;
};

TEST_F(NewProjectFiles, WritesTheTwentyThreeFilesAndNoFunctionsFile) {
    write_new_project(stored, folder());
    std::vector<std::string> expected(new_project_files.begin(), new_project_files.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folder_listing(folder()), expected);
    for (const std::string_view name : required_project_files)
        EXPECT_TRUE(fs::is_regular_file(folder() + "/" + std::string(name))) << name;
}

TEST_F(NewProjectFiles, SectionFilesAreTheSectionsWithCrLfLinesAndNoByteOrderMark) {
    write_new_project(stored, folder());
    const struct {
        const char* file;
        const char* section;
    } pairs[] = {{"objects.qno", "#OBJECTS"},       {"rooms.qnr", "#ROOMS"},
                 {"variables.qnv", "#VARIABLES"},   {"actions.qna", "#ACTIONS"},
                 {"conditions.qna", "#CONDITIONS"}, {"counters.qna", "#COUNTERS"},
                 {"messages.qnr", "#MESSAGES"},     {"help.qni", "#HELP"},
                 {"success.qni", "#SUCCESS"},       {"fail.qni", "#FAIL"},
                 {"intro.qni", "#INTRO"},           {"reference.txt", "#REFERENCE"}};
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair.file);
        std::ifstream in(folder() + "/" + pair.file, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(bytes, section_file_text(stored, pair.section));
        EXPECT_FALSE(bytes.empty());
        EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF"));
        EXPECT_EQ(count_of(bytes, "\n"), count_of(bytes, "\r\n"));
        EXPECT_TRUE(bytes.ends_with("\r\n"));
    }
}

TEST_F(NewProjectFiles, PicturesMapsAndEmptyFiles) {
    write_new_project(stored, folder());
    const auto read = [&](const std::string& name) {
        std::ifstream in(folder() + "/" + name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    };
    for (const char* image : {"coverimage.qn", "failimage.qn", "successimage.qn"}) {
        SCOPED_TRACE(image);
        const std::string bytes = read(image);
        EXPECT_TRUE(bytes.starts_with("data:image/gif;base64,"));
        EXPECT_EQ(count_of(bytes, "\n"), 1);  // exactly one line
        EXPECT_TRUE(bytes.ends_with("\r\n"));
    }
    for (const char* map : {"map1.qn", "map2.qn", "map3.qn"})
        EXPECT_EQ(read(map), blank_map_text());
    for (const char* empty : {"mapimage1.qn", "mapimage2.qn", "mapimage3.qn", "connections.qn"})
        EXPECT_EQ(fs::file_size(folder() + "/" + empty), 0u) << empty;

    const std::string gif = read("map_example.gif");
    EXPECT_EQ(gif, example_map_picture());
    ASSERT_GE(gif.size(), 10u);
    EXPECT_EQ(gif.substr(0, 6), "GIF89a");
    EXPECT_EQ(static_cast<unsigned char>(gif[6]) | static_cast<unsigned char>(gif[7]) << 8, 560);
    EXPECT_EQ(static_cast<unsigned char>(gif[8]) | static_cast<unsigned char>(gif[9]) << 8, 600);
}

TEST_F(NewProjectFiles, AReplacedBaseScriptGivesItsOwnSections) {
    write_new_project(small_base, folder());
    std::ifstream in(folder() + "/variables.qnv", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, "// indice:nome=valore\r\n0:_vMOVES_=0\r\n");
    EXPECT_EQ(fs::file_size(folder() + "/objects.qno"), 0u);  // no such section
}

TEST_F(NewProjectFiles, AnExistingFolderIsNeverWrittenInto) {
    fs::create_directory(folder());
    try {
        write_new_project(stored, folder());
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create folder \"" + folder() + "\". File exists");
    }
    EXPECT_TRUE(folder_listing(folder()).empty());
}

TEST_F(NewProjectFiles, OnlyOneFolderLevelIsCreated) {
    const std::string deep = parent.path() + "/a/b";
    EXPECT_THROW(write_new_project(stored, deep), Error);
    EXPECT_FALSE(fs::exists(parent.path() + "/a"));
}

TEST(ProjectsFolder, IsInTheHomeFolderUnlessTheInstallIsPortable) {
    EXPECT_EQ(projects_folder("/opt/quenlo/", false, "/home/ada"), "/home/ada/Quenlo/");
    EXPECT_EQ(projects_folder("/opt/quenlo/", true, "/home/ada"), "/opt/quenlo/");
    EXPECT_EQ(projects_folder("/opt/quenlo/", false, ""), "/opt/quenlo/");
}

TEST(ProjectsFolder, APortableInstallHoldsTheMarkAndCanBeWritten) {
    test::TempFolder program;
    const std::string folder = program.path() + "/";
    EXPECT_EQ(projects_folder(folder, "/home/ada"), "/home/ada/Quenlo/");  // writable alone
    program.write("portable", "");
    EXPECT_TRUE(is_portable_install(folder));
    EXPECT_EQ(projects_folder(folder, "/home/ada"), folder);
    EXPECT_FALSE(is_writable_folder(program.path() + "/missing"));
    EXPECT_FALSE(is_writable_folder(program.file("portable")));
    if (geteuid() != 0) {
        fs::permissions(program.path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(is_portable_install(folder));
        EXPECT_EQ(projects_folder(folder, "/home/ada"), "/home/ada/Quenlo/");
        fs::permissions(program.path(), fs::perms::owner_all);
    }
}

TEST(ProjectName, IsOneFolderName) {
    EXPECT_TRUE(is_valid_project_name("Avventura"));
    EXPECT_TRUE(is_valid_project_name("La casa è buia"));
    EXPECT_TRUE(is_valid_project_name("..."));
    EXPECT_FALSE(is_valid_project_name(""));
    EXPECT_FALSE(is_valid_project_name("."));
    EXPECT_FALSE(is_valid_project_name(".."));
    EXPECT_FALSE(is_valid_project_name("a/b"));
    EXPECT_FALSE(is_valid_project_name("/etc"));
    EXPECT_FALSE(is_valid_project_name("a\\b"));
    EXPECT_FALSE(is_valid_project_name(std::string("a\0b", 3)));
}

class NewProject : public ::testing::Test {
protected:
    std::string projects() const { return program.path() + "/"; }
    std::optional<std::string> run() { return new_project(host, projects()); }
    void expect_error_pair(std::size_t line, std::size_t message) {
        ASSERT_GT(sink.lines.size(), line);
        EXPECT_EQ(sink.lines[line].text, "Error: unable to create new project folder or files!");
        EXPECT_EQ(sink.lines[line].colour, LogColour::red);
        ASSERT_GT(dialogs.messages.size(), message);
        EXPECT_EQ(dialogs.messages[message],
                  (test::ShownMessage{MessageKind::error,
                                      "Unable to create new project folder or files!"}));
    }

    test::TempFolder program;
    Workspace workspace;
    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
    test::ScriptedDialogs dialogs;
    test::RecordingView view;
    ProjectHost host{workspace, log, dialogs, view};
};

TEST_F(NewProject, CancelOrABlankNameDoesNothing) {
    EXPECT_EQ(run(), std::nullopt);
    dialogs.input_answers = {"   \t "};
    EXPECT_EQ(run(), std::nullopt);
    EXPECT_EQ(dialogs.input_requests,
              (std::vector<std::string>{"Create new project | Enter project name",
                                        "Create new project | Enter project name"}));
    EXPECT_TRUE(sink.lines.empty());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(folder_listing(program.path()).empty());
}

TEST_F(NewProject, CreatesTheTrimmedNameAndSetsTheProject) {
    dialogs.input_answers = {"  Il castello  "};
    const std::string folder = projects() + "Il castello";
    EXPECT_EQ(run(), folder);
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{"Creating project files...",
                                                      "Created new project: " + folder, "",
                                                      "Set project: " + folder}));
    EXPECT_EQ(sink.lines[0].colour, LogColour::black);
    EXPECT_EQ(sink.lines[1].colour, LogColour::blue);
    EXPECT_EQ(workspace.project_folder, folder);
    EXPECT_EQ(view.title, "Quenlo v3.6 - " + folder);
    EXPECT_TRUE(view.project_menus());
    EXPECT_EQ(folder_listing(folder).size(), 23u);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_GE(events.polls, 1);  // the window repaints before the files are written
}

TEST_F(NewProject, AUsedNameIsAskedAgain) {
    fs::create_directory(projects() + "Giallo");
    dialogs.input_answers = {"Giallo", "Verde"};
    EXPECT_EQ(run(), projects() + "Verde");
    EXPECT_EQ(
        dialogs.messages,
        (std::vector<test::ShownMessage>{{MessageKind::warning, "Project name is already used!"}}));
    EXPECT_EQ(dialogs.input_requests.size(), 2u);
    EXPECT_TRUE(folder_listing(projects() + "Giallo").empty());
    EXPECT_EQ(sink.texts().front(), "Creating project files...");
}

TEST_F(NewProject, ANameThatIsNoFolderNameGetsTheErrorPairAndWritesNothing) {
    dialogs.input_answers = {"../fuori", "..", ".", "a\\b", std::nullopt};
    EXPECT_EQ(run(), std::nullopt);
    ASSERT_EQ(sink.lines.size(), 8u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(sink.lines[2 * i].text, "Creating project files...");
        expect_error_pair(2 * i + 1, i);
    }
    EXPECT_EQ(dialogs.input_requests.size(), 5u);
    EXPECT_TRUE(folder_listing(program.path()).empty());
    EXPECT_FALSE(fs::exists(fs::path(program.path()).parent_path() / "fuori"));
    EXPECT_EQ(workspace.project_folder, "");
}

TEST_F(NewProject, AProjectsFolderThatCannotBeWrittenGetsTheErrorPair) {
    program.write("file", "");
    dialogs.input_answers = {"Rosso"};
    EXPECT_EQ(new_project(host, program.file("file") + "/"), std::nullopt);
    EXPECT_EQ(sink.lines[0].text, "Creating project files...");
    expect_error_pair(1, 0);
    EXPECT_EQ(view.menu_changes.size(), 0u);
}

TEST_F(NewProject, AReadOnlyProjectsFolderGetsTheErrorPair) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    fs::permissions(program.path(), fs::perms::owner_read | fs::perms::owner_exec);
    dialogs.input_answers = {"Rosso"};
    EXPECT_EQ(run(), std::nullopt);
    fs::permissions(program.path(), fs::perms::owner_all);
    expect_error_pair(1, 0);
}

TEST_F(NewProject, TheProjectsFolderInTheHomeFolderIsCreatedWhenFirstNeeded) {
    const std::string home_projects = program.path() + "/Quenlo/";
    dialogs.input_answers = {"Blu"};
    EXPECT_EQ(new_project(host, home_projects), home_projects + "Blu");
    EXPECT_EQ(folder_listing(home_projects), (std::vector<std::string>{"Blu"}));
}

TEST_F(NewProject, WritesTheSectionsOfTheCurrentBaseScript) {
    workspace.reDefault = small_base;
    dialogs.input_answers = {"Base"};
    ASSERT_TRUE(run());
    std::ifstream in(projects() + "Base/help.qni", std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}),
              "Tocca le parole.  \r\nSeconda riga\r\n");
}

}  // namespace
}  // namespace quenlo
