// Builds from the Project menu: the log in order, the window's state while a
// build runs, the stop button, a refused close, and failures.

#include <unistd.h>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "app/event_pump.h"
#include "window_fixture.h"

using quenlo::MessageKind;
using quenlo::test::q;
using quenlo::test::ShownMessage;
using quenlo::test::WindowFixture;

namespace {

const QColor green(0, 128, 0);
const QColor blue(0, 0, 255);
const QColor red(255, 0, 0);

struct WindowState {
    bool file = false, project = false, tools = false, help = false;
    bool log = false, clear_log = false, stop_shown = false;
};

WindowState state_of(const WindowFixture& f) {
    return {f.menu("File1")->menuAction()->isEnabled(),
            f.menu("Project1")->menuAction()->isEnabled(),
            f.menu("Tools1")->menuAction()->isEnabled(),
            f.menu("Help1")->menuAction()->isEnabled(),
            f.relog()->isEnabled(),
            f.button("btndellog")->isEnabled(),
            f.button("btnStop")->isVisible()};
}

// True when `expected` appear in `lines` in this order, other lines between.
bool in_order(const QStringList& lines, const QStringList& expected) {
    int next = 0;
    for (const QString& line : lines)
        if (next < expected.size() && line == expected[next]) ++next;
    return next == expected.size();
}

}  // namespace

class BuildTest : public QObject {
    Q_OBJECT
private:
    std::string project_;

    void set_up(WindowFixture& f) {
        project_ = f.make_project("Avventura");
        f.set_project(project_);
    }

private slots:
    void aDebugBuildFromTheMenu() {
        WindowFixture f;
        set_up(f);
        const int start = f.lines().size();
        f.trigger("Generate1");
        const QStringList lines = f.lines().mid(start);
        QVERIFY2(lines.first().startsWith("Start generating adventure (debug HTML file)... [ "),
                 qPrintable(lines.first()));
        QCOMPARE(f.relog()->line_colour(start), blue);
        QVERIFY(in_order(lines, {q("Check chars in file: " + project_ + "/help.qni"), " skipped!",
                                 "Replaced [ ___VERSION___ ]", "Replaced [ ___TITLE___ ]",
                                 "Replaced [ ___STARTROOM___ ]",
                                 q("Generated: " + project_ + "/ilfaro_debug.html")}));
        QCOMPARE(lines.filter("Generated: ").size(), 1);
        const QString success = lines[lines.size() - 2];
        QVERIFY2(success.startsWith("Adventure generated successfully!  [ "), qPrintable(success));
        QCOMPARE(f.relog()->line_colour(start + lines.size() - 2), green);
        QCOMPARE(lines.last(), QString(""));
        QVERIFY(std::filesystem::exists(project_ + "/ilfaro_debug.html"));
        QVERIFY(!std::filesystem::exists(project_ + "/ilfaro.html"));
        QVERIFY(f.dialogs.messages.empty());
    }

    void aReleaseBuildFromTheMenu() {
        WindowFixture f;
        set_up(f);
        const int start = f.lines().size();
        f.trigger("GenerateHTMLdebugandreleasefiles1");
        const QStringList lines = f.lines().mid(start);
        QVERIFY(lines.first().startsWith(
            "Start generating adventure (debug and release HTML files)... [ "));
        QVERIFY(
            in_order(lines, {"Replaced [ ___STARTROOM___ ]", "Replaced [ var g_isdebug = true; ]",
                             q("Generated: " + project_ + "/ilfaro_debug.html"),
                             q("Generated: " + project_ + "/ilfaro.html")}));
        QVERIFY(lines[lines.size() - 2].startsWith("Adventure generated successfully!  [ "));
        QVERIFY(std::filesystem::exists(project_ + "/ilfaro.html"));
    }

    void theWindowIsLockedWhileABuildRuns() {
        WindowFixture f;
        set_up(f);
        WindowState during;
        f.at_next_events([&] { during = state_of(f); });
        f.trigger("Generate1");
        QVERIFY(!during.file && !during.project && !during.tools && !during.help);
        QVERIFY(!during.log && !during.clear_log);
        QVERIFY(during.stop_shown);
        const WindowState after = state_of(f);
        QVERIFY(after.file && after.project && after.tools && after.help);
        QVERIFY(after.log && after.clear_log && !after.stop_shown);
    }

    void theStopButtonEndsTheBuild() {
        WindowFixture f;
        set_up(f);
        std::filesystem::remove(project_ + "/ilfaro_debug.html");
        const int start = f.lines().size();
        bool stop_was_shown = false;
        f.at_next_events([&] {
            stop_was_shown = f.button("btnStop")->isVisible();
            f.button("btnStop")->click();
        });
        f.trigger("Generate1");
        QVERIFY(stop_was_shown);
        const QStringList lines = f.lines().mid(start);
        QCOMPARE(lines.mid(lines.size() - 2), (QStringList{"Error: process stopped by user", ""}));
        QCOMPARE(f.relog()->line_colour(start + lines.size() - 2), red);
        QCOMPARE(f.dialogs.messages,
                 (std::vector<ShownMessage>{
                     {MessageKind::error,
                      "Unable to generate HTML files!\r\n\r\nError: process stopped by user"}}));
        QVERIFY(lines.filter("Adventure generated").isEmpty());
        QVERIFY(!std::filesystem::exists(project_ + "/ilfaro_debug.html"));
        QVERIFY(state_of(f).project && !state_of(f).stop_shown);

        // The next build starts with the stop flag cleared.
        f.trigger("Generate1");
        QVERIFY(f.lines()[f.lines().size() - 2].startsWith("Adventure generated successfully!"));
        QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
    }

    void f9BuildsAndEscapeStopsTheBuild() {
        WindowFixture f;
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(f.window.get(), Qt::Key_F9);  // no project: the menu is disabled
        QCOMPARE(f.lines().size(), 15);

        set_up(f);
        const int start = f.lines().size();
        f.at_next_events([&] { QTest::keyClick(f.window.get(), Qt::Key_Escape); });
        QTest::keyClick(f.window.get(), Qt::Key_F9);
        const QStringList lines = f.lines().mid(start);
        QVERIFY(lines.value(0).startsWith("Start generating adventure (debug HTML file)..."));
        QCOMPARE(lines.mid(lines.size() - 2), (QStringList{"Error: process stopped by user", ""}));
    }

    void closingIsRefusedWhileABuildRuns() {
        WindowFixture f;
        set_up(f);
        bool closed_during_build = true;
        f.at_next_events([&] { closed_during_build = f.window->close(); });
        f.trigger("Generate1");
        QVERIFY(!closed_during_build);
        QVERIFY(f.window->isVisible());
        QVERIFY(f.lines()[f.lines().size() - 2].startsWith("Adventure generated successfully!"));
        QVERIFY(f.dialogs.messages.empty());
        QVERIFY(f.window->close());
        QVERIFY(!f.window->isVisible());
    }

    void exitIsRefusedWhileABuildRuns() {
        WindowFixture f;
        set_up(f);
        f.at_next_events([&] { f.trigger("Exit1"); });
        f.trigger("Generate1");
        QVERIFY(f.window->isVisible());
    }

    void aFailedBuildShowsTheErrorDialog() {
        WindowFixture f;
        set_up(f);
        std::filesystem::remove(project_ + "/help.qni");
        f.trigger("Generate1");
        const std::string error =
            "Error: Cannot open file \"" + project_ + "/help.qni\". No such file or directory";
        const QStringList lines = f.lines();
        QCOMPARE(lines.mid(lines.size() - 2), (QStringList{q(error), ""}));
        QCOMPARE(f.dialogs.messages,
                 (std::vector<ShownMessage>{
                     {MessageKind::error, "Unable to generate HTML files!\r\n\r\n" + error}}));
        QVERIFY(state_of(f).project && state_of(f).file && !state_of(f).stop_shown);
    }

    void anUnreadableProjectBaseScriptIsReportedAndNothingRuns() {
        if (geteuid() == 0) QSKIP("permissions do not bind the superuser");
        WindowFixture f;
        set_up(f);
        std::ofstream(project_ + "/base.qn") << "x";
        std::filesystem::permissions(project_ + "/base.qn", std::filesystem::perms::none);
        const int start = f.lines().size();
        f.trigger("Generate1");
        QCOMPARE(f.lines().size(), start);
        QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
        QVERIFY(f.dialogs.messages[0].text.starts_with("Cannot open file \""));
        QVERIFY(state_of(f).project && !state_of(f).stop_shown);
    }

    void theEventPumpRunsEventsAtMostOncePerInterval() {
        int runs = 0;
        QObject target;
        quenlo::app::EventPump rare(std::chrono::hours(1));
        QMetaObject::invokeMethod(
            &target, [&] { ++runs; }, Qt::QueuedConnection);
        rare.process_events();
        QCOMPARE(runs, 1);
        QMetaObject::invokeMethod(
            &target, [&] { ++runs; }, Qt::QueuedConnection);
        rare.process_events();
        QCOMPARE(runs, 1);  // too soon

        quenlo::app::EventPump always(std::chrono::milliseconds(0));
        always.process_events();
        QCOMPARE(runs, 2);
        QMetaObject::invokeMethod(
            &target, [&] { ++runs; }, Qt::QueuedConnection);
        always.process_events();
        QCOMPARE(runs, 3);
    }
};

QTEST_MAIN(BuildTest)
#include "frmmain_build_test.moc"
