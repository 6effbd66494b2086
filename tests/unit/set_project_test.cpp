#include "project/set_project.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "foundation/workspace.h"
#include "support/scripted_dialogs.h"
#include "support/temp_project.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

namespace fs = std::filesystem;

const std::string no_project_title = "Quenlo v3.6 - < no project selected >";

class SetProject : public ::testing::Test {
protected:
    // Sets a first project, so the tests can see whether a call keeps it.
    void set_earlier_project() {
        ASSERT_TRUE(set_project(host, earlier.path()));
        sink.lines.clear();
        view.menu_changes.clear();
    }
    void expect_refused_files() {
        EXPECT_EQ(sink.texts(), (std::vector<std::string>{"Error: Files invalid or corrupted!!"}));
        EXPECT_EQ(sink.lines.back().colour, LogColour::red);
        EXPECT_EQ(
            dialogs.messages,
            (std::vector<test::ShownMessage>{{MessageKind::error, "Files invalid or corrupted!"}}));
        EXPECT_EQ(workspace.project_folder, "");
        EXPECT_EQ(view.title, no_project_title);
        EXPECT_FALSE(view.project_menus());
    }

    test::TempProject project;
    test::TempProject earlier;
    Workspace workspace;
    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
    test::ScriptedDialogs dialogs;
    test::RecordingView view;
    ProjectHost host{workspace, log, dialogs, view};
};

TEST(WindowTitle, ShowsTheProjectFolderOrThatThereIsNone) {
    EXPECT_EQ(window_title(""), no_project_title);
    EXPECT_EQ(window_title("/home/ada/Giallo"), "Quenlo v3.6 - /home/ada/Giallo");
}

TEST_F(SetProject, AFolderWithTheRequiredFilesBecomesTheProject) {
    EXPECT_FALSE(project.has("functions.qna"));  // optional
    ASSERT_TRUE(set_project(host, project.path()));
    EXPECT_EQ(workspace.project_folder, project.path());
    EXPECT_EQ(view.title, "Quenlo v3.6 - " + project.path());
    // Cleared first, then set.
    EXPECT_EQ(view.menu_changes, (std::vector<bool>{false, true}));
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{"", "Set project: " + project.path()}));
    EXPECT_EQ(sink.lines[1].colour, LogColour::blue);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SetProject, TheFolderIsStoredExactlyAsGiven) {
    const std::string given = project.path() + "/";
    ASSERT_TRUE(set_project(host, given));
    EXPECT_EQ(workspace.project_folder, given);
    EXPECT_EQ(view.title, "Quenlo v3.6 - " + given);
    EXPECT_EQ(sink.texts().back(), "Set project: " + given);
}

TEST_F(SetProject, EachMissingRequiredFileRefusesTheFolder) {
    for (const std::string_view name : required_project_files) {
        SCOPED_TRACE(std::string(name));
        test::TempProject incomplete;
        incomplete.remove(std::string(name));
        sink.lines.clear();
        dialogs.messages.clear();
        EXPECT_FALSE(set_project(host, incomplete.path()));
        expect_refused_files();
    }
}

TEST_F(SetProject, AFolderMissingAFileClearsTheProjectSetBefore) {
    set_earlier_project();
    project.remove("connections.qn");
    EXPECT_FALSE(set_project(host, project.path()));
    expect_refused_files();
    EXPECT_EQ(view.menu_changes, (std::vector<bool>{false}));
}

TEST_F(SetProject, AVanishedFolderKeepsTheProjectSetBefore) {
    set_earlier_project();
    const std::string vanished = project.path() + "/gone";
    EXPECT_FALSE(set_project(host, vanished));
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{"Error: unable to find project folder!"}));
    EXPECT_EQ(sink.lines[0].colour, LogColour::red);
    EXPECT_EQ(
        dialogs.messages,
        (std::vector<test::ShownMessage>{{MessageKind::error, "Unable to find project folder!"}}));
    EXPECT_EQ(workspace.project_folder, earlier.path());
    EXPECT_TRUE(view.menu_changes.empty());
    EXPECT_EQ(view.title, "Quenlo v3.6 - " + earlier.path());
}

TEST_F(SetProject, AFileIsNoProjectFolder) {
    EXPECT_FALSE(set_project(host, project.file("rooms.qnr")));
    EXPECT_EQ(dialogs.messages.at(0).text, "Unable to find project folder!");
}

TEST_F(SetProject, EmptyFilesArePresentButAFolderOfTheNameIsNot) {
    ASSERT_EQ(fs::file_size(project.file("map1.qn")), 0u);
    ASSERT_TRUE(set_project(host, project.path()));
    sink.lines.clear();
    project.remove("rooms.qnr");
    fs::create_directory(project.file("rooms.qnr"));
    EXPECT_FALSE(set_project(host, project.path()));
    expect_refused_files();
}

TEST_F(SetProject, FilesThatCannotBeReachedCountAsMissing) {
    // A link to itself cannot be resolved, whoever runs the test.
    project.remove("help.qni");
    fs::create_symlink(project.file("help.qni"), project.file("help.qni"));
    EXPECT_FALSE(set_project(host, project.path()));
    expect_refused_files();
}

TEST_F(SetProject, AnUnreadableFolderIsRefused) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    fs::permissions(project.path(), fs::perms::none);
    EXPECT_FALSE(set_project(host, project.path()));
    fs::permissions(project.path(), fs::perms::owner_all);
    expect_refused_files();
}

TEST_F(SetProject, TheChooserReopensOnTheFolderJustChosen) {
    project.remove("intro.qni");
    dialogs.folder_answers = {project.path(), earlier.path()};
    EXPECT_TRUE(choose_and_set_project(host, "/start/here/"));
    EXPECT_EQ(dialogs.folder_requests, (std::vector<std::string>{"/start/here/", project.path()}));
    EXPECT_EQ(workspace.project_folder, earlier.path());
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(SetProject, CancellingTheChooserAfterARefusalLeavesNoProject) {
    set_earlier_project();
    project.remove("map3.qn");
    dialogs.folder_answers = {project.path(), std::nullopt};
    EXPECT_FALSE(choose_and_set_project(host, "/start/"));
    EXPECT_EQ(dialogs.folder_requests, (std::vector<std::string>{"/start/", project.path()}));
    EXPECT_EQ(workspace.project_folder, "");
    EXPECT_EQ(view.title, no_project_title);
}

TEST_F(SetProject, CancellingAtOnceChangesNothing) {
    set_earlier_project();
    EXPECT_FALSE(choose_and_set_project(host, "/start/"));
    EXPECT_EQ(workspace.project_folder, earlier.path());
    EXPECT_TRUE(sink.lines.empty());
    EXPECT_TRUE(view.menu_changes.empty());
}

}  // namespace
}  // namespace quenlo
