// The project commands from the File and Tools menus: set project with its
// folder chooser loop, new project with its name loop, the projects remembered
// from one run to the next, and check parentheses.

#include <QtTest>
#include <filesystem>
#include <fstream>

#include "window_fixture.h"

using quenlo::MessageKind;
using quenlo::test::Install;
using quenlo::test::q;
using quenlo::test::ShownMessage;
using quenlo::test::WindowFixture;

namespace {

const QString no_project_title = "Quenlo v3.6 - < no project selected >";
const QColor red(255, 0, 0);
const QColor blue(0, 0, 255);
const QColor olive(128, 128, 0);

bool project_menus_enabled(const WindowFixture& f) {
    return f.menu("Project1")->menuAction()->isEnabled() &&
           f.menu("Tools1")->menuAction()->isEnabled();
}

bool project_menus_disabled(const WindowFixture& f) {
    return !f.menu("Project1")->menuAction()->isEnabled() &&
           !f.menu("Tools1")->menuAction()->isEnabled();
}

// The recent projects as the menu shows them when it opens.
QStringList recent_captions(const WindowFixture& f) {
    QMenu* menu = f.menu("Recentprojects1");
    emit menu->aboutToShow();
    QStringList captions;
    for (const QAction* item : menu->actions())
        captions << QString(item->text()).remove(QLatin1Char('&'));
    return captions;
}

}  // namespace

class ProjectTest : public QObject {
    Q_OBJECT
private slots:
    void setProjectOnAValidFolder() {
        WindowFixture f;
        const std::string project = f.make_project("Valida");
        f.set_project(project);
        QCOMPARE(f.dialogs.folder_requests, std::vector<std::string>{f.program.path() + "/"});
        QCOMPARE(f.window->windowTitle(), q("Quenlo v3.6 - " + project));
        QVERIFY(project_menus_enabled(f));
        QCOMPARE(f.window->workspace().project_folder, project);
        const QStringList lines = f.lines();
        QCOMPARE(lines.mid(lines.size() - 2), (QStringList{"", q("Set project: " + project)}));
        QCOMPARE(f.relog()->line_colour(lines.size() - 1), blue);
        QVERIFY(f.dialogs.messages.empty());
    }

    void aFolderMissingAFileIsRefusedAndTheChooserReopensOnIt() {
        WindowFixture f;
        const std::string project = f.make_project("Incompleta");
        std::filesystem::remove(project + "/connections.qn");
        f.dialogs.folder_answers = {project, std::nullopt};
        f.trigger("Loadproject1");
        QCOMPARE(f.dialogs.folder_requests,
                 (std::vector<std::string>{f.program.path() + "/", project}));
        QCOMPARE(f.lines().last(), QString("Error: Files invalid or corrupted!!"));
        QCOMPARE(f.colour_of_line("Error: Files invalid or corrupted!!"), red);
        QCOMPARE(f.dialogs.messages,
                 (std::vector<ShownMessage>{{MessageKind::error, "Files invalid or corrupted!"}}));
        QCOMPARE(f.window->windowTitle(), no_project_title);
        QVERIFY(project_menus_disabled(f));
        QVERIFY(f.action("Newproject1")->isEnabled() && f.action("Loadproject1")->isEnabled());
    }

    void anInvalidFolderClearsTheProjectSetBefore() {
        WindowFixture f;
        f.set_project(f.make_project("Prima"));
        const std::string other = f.make_project("Seconda");
        std::filesystem::remove(other + "/help.qni");
        f.set_project(other);
        QCOMPARE(f.window->workspace().project_folder, std::string());
        QCOMPARE(f.window->windowTitle(), no_project_title);
        QVERIFY(project_menus_disabled(f));
    }

    void aVanishedFolderKeepsTheProjectSetBefore() {
        WindowFixture f;
        const std::string project = f.make_project("Resta");
        f.set_project(project);
        const std::string vanished = f.program.path() + "/Sparita";
        f.dialogs.folder_answers = {vanished, std::nullopt};
        f.trigger("Loadproject1");
        QCOMPARE(f.lines().last(), QString("Error: unable to find project folder!"));
        QCOMPARE(f.colour_of_line("Error: unable to find project folder!"), red);
        QCOMPARE(
            f.dialogs.messages,
            (std::vector<ShownMessage>{{MessageKind::error, "Unable to find project folder!"}}));
        QCOMPARE(f.dialogs.folder_requests.back(), vanished);
        QCOMPARE(f.window->workspace().project_folder, project);
        QCOMPARE(f.window->windowTitle(), q("Quenlo v3.6 - " + project));
        QVERIFY(project_menus_enabled(f));
    }

    void newProjectAsksAgainUntilANameWorks() {
        WindowFixture f;
        std::filesystem::create_directory(f.program.path() + "/Giallo");
        f.dialogs.input_answers = {"Giallo", "a/b", "  Il castello  "};
        f.trigger("Newproject1");
        const std::string project = f.program.path() + "/Il castello";

        QCOMPARE(f.dialogs.input_requests.size(), std::size_t(3));
        QCOMPARE(f.dialogs.input_requests[0],
                 std::string("Create new project | Enter project name"));
        QCOMPARE(f.dialogs.messages,
                 (std::vector<ShownMessage>{
                     {MessageKind::warning, "Project name is already used!"},
                     {MessageKind::error, "Unable to create new project folder or files!"}}));
        const QStringList lines = f.lines();
        QCOMPARE(lines.mid(15),
                 (QStringList{"Creating project files...",
                              "Error: unable to create new project folder or files!",
                              "Creating project files...", q("Created new project: " + project), "",
                              q("Set project: " + project)}));
        QCOMPARE(f.relog()->line_colour(16), red);
        QCOMPARE(f.relog()->line_colour(18), blue);
        QCOMPARE(f.window->windowTitle(), q("Quenlo v3.6 - " + project));
        QVERIFY(project_menus_enabled(f));
        QVERIFY(!std::filesystem::exists(f.program.path() + "/a"));
        QVERIFY(std::filesystem::exists(project + "/map_example.gif"));
    }

    void newProjectCancelledOrBlankDoesNothing() {
        WindowFixture f;
        f.trigger("Newproject1");
        f.dialogs.input_answers = {"    "};
        f.trigger("Newproject1");
        QCOMPARE(f.lines().size(), 15);
        QVERIFY(f.dialogs.messages.empty());
        QCOMPARE(f.window->windowTitle(), no_project_title);
    }

    void newProjectsGoToQuenloInTheHomeFolderOfAnInstalledProgram() {
        WindowFixture f(std::chrono::milliseconds(0), Install::installed);
        f.dialogs.input_answers = {"Faro"};
        f.trigger("Newproject1");
        const std::string projects = f.home.path() + "/Quenlo/";
        QCOMPARE(f.dialogs.input_notes,
                 std::vector<std::string>{"The project folder will be made in " + projects});
        QCOMPARE(f.window->workspace().project_folder, projects + "Faro");
        QVERIFY(!std::filesystem::exists(f.program.path() + "/Faro"));
    }

    void theLastProjectIsSetAgainAtTheNextStartAndTheRecentOnesListed() {
        WindowFixture f(std::chrono::milliseconds(0), Install::installed);
        QVERIFY(!f.menu("Recentprojects1")->isEnabled());
        const std::string first = f.make_project("Primo");
        const std::string second = f.make_project("Secondo");
        f.set_project(first);
        f.set_project(second);
        f.set_project(first);

        f.open_window();
        f.window->open_first_project(std::nullopt);
        QCOMPARE(f.window->workspace().project_folder, first);
        QCOMPARE(f.lines().mid(15), (QStringList{"", q("Set project: " + first)}));
        QCOMPARE(recent_captions(f), (QStringList{q("1 " + first), q("2 " + second)}));
        QVERIFY(f.menu("Recentprojects1")->isEnabled());
        f.trigger("Recentproject2");
        QCOMPARE(f.window->workspace().project_folder, second);
        QCOMPARE(recent_captions(f), (QStringList{q("1 " + second), q("2 " + first)}));

        // The chooser opens beside the last project, not in the projects folder.
        f.dialogs.folder_requests.clear();
        f.trigger("Loadproject1");
        QCOMPARE(f.dialogs.folder_requests, std::vector<std::string>{f.program.path() + "/"});
    }

    void onlyTheLastEightProjectsAreRemembered() {
        WindowFixture f;
        for (int n = 1; n <= 9; ++n) f.set_project(f.make_project("P" + std::to_string(n)));
        const QStringList recent = recent_captions(f);
        QCOMPARE(recent.size(), 8);
        QCOMPARE(recent.first(), q("1 " + f.program.path() + "/P9"));
        QCOMPARE(recent.last(), q("8 " + f.program.path() + "/P2"));
    }

    void aLastProjectThatNoLongerPassesIsLeftSilently() {
        WindowFixture f;
        const std::string project = f.make_project("Guasto");
        f.set_project(project);
        std::filesystem::remove(project + "/rooms.qnr");
        f.open_window();
        f.window->open_first_project(std::nullopt);
        QCOMPARE(f.lines().size(), 15);
        QVERIFY(f.dialogs.messages.empty());
        QCOMPARE(f.window->windowTitle(), no_project_title);
    }

    void aFolderGivenAtStartIsSetLikeSetProject() {
        WindowFixture f;
        f.set_project(f.make_project("Ultimo"));
        const std::string given = f.make_project("Dato");
        f.open_window();
        f.window->open_first_project(given);
        QCOMPARE(f.window->workspace().project_folder, given);

        std::filesystem::remove(given + "/intro.qni");
        f.open_window();
        f.window->open_first_project(given);
        QCOMPARE(f.lines().last(), QString("Error: Files invalid or corrupted!!"));
        QCOMPARE(f.dialogs.messages.back(),
                 (ShownMessage{MessageKind::error, "Files invalid or corrupted!"}));
        QCOMPARE(f.window->windowTitle(), no_project_title);
    }

    void checkParenthesesReportsTheFirstUnbalancedBlock() {
        WindowFixture f;
        const std::string project = f.make_project("Parentesi");
        std::ofstream(project + "/conditions.qna", std::ios::binary)
            << "// ok\r\n//=\r\nif (a) {\r\n  f_show(\"x\");\r\n";
        f.set_project(project);
        const int start = f.lines().size();
        f.trigger("Checkparentheses1");

        const QStringList lines = f.lines().mid(start);
        const QStringList expected = {
            "",
            q("Checking ( ) [ ] { } in file: " + project + "/actions.qna"),
            "...OK!",
            "",
            q("Checking ( ) [ ] { } in file: " + project + "/counters.qna"),
            "...OK!",
            "",
            q("Checking ( ) [ ] { } in file: " + project + "/conditions.qna"),
            "Error:",
            "Number of { } do not match:",
            "if (a) {",
            "  f_show(\"x\");",
            q(project + "/conditions.qna:3:8: error: { does not match"),
            "    if (a) {",
            "           ^"};
        QCOMPARE(lines, expected);
        QCOMPARE(f.relog()->line_colour(start + 1), olive);
        for (int i = start + 8; i < start + 13; ++i) QCOMPARE(f.relog()->line_colour(i), red);
        // The place of the bracket links to its file.
        QCOMPARE(f.relog()->line_link(start + 12), QUrl::fromLocalFile(q(project + "/conditions.qna")));
        QVERIFY(f.dialogs.messages.empty());
    }

    void checkParenthesesGoesOnAfterAnUnreadableFile() {
        WindowFixture f;
        const std::string project = f.make_project("Illeggibile");
        f.set_project(project);
        std::filesystem::remove(project + "/actions.qna");
        const int start = f.lines().size();
        f.trigger("Checkparentheses1");
        const QStringList lines = f.lines().mid(start);
        QCOMPARE(
            lines.mid(0, 2),
            (QStringList{q("Error: Unable to check file: " + project + "/actions.qna"), "...OK!"}));
        QCOMPARE(f.relog()->line_colour(start), red);
        QCOMPARE(lines.count("...OK!"), 4);
        QCOMPARE(lines.last(), QString("...OK!"));
    }

    void aCommandStartedWhileAnotherRunsIsIgnored() {
        WindowFixture f;
        const std::string project = f.make_project("Rientro");
        f.set_project(project);
        const int start = f.lines().size();
        // The check lets events run with the menus enabled; a build asked for
        // in the middle of it must not start inside it.
        f.at_next_events([&] { f.trigger("Generate1"); });
        f.trigger("Checkparentheses1");
        const QStringList lines = f.lines().mid(start);
        QCOMPARE(lines.filter("Start generating adventure").size(), 0);
        QCOMPARE(lines.count("...OK!"), 4);
        f.trigger("Generate1");
        QCOMPARE(f.lines().mid(start).filter("Start generating adventure").size(), 1);
    }
};

QTEST_MAIN(ProjectTest)
#include "frmmain_project_test.moc"
