// Playing in the browser and the links of the log: the page opened through
// the preview server follows a room text saved in an editor, the server ends
// with its project, and the log's page and error lines open what they name.

#include <QProcess>
#include <QTextBlock>
#include <QtTest>
#include <fstream>
#include <iterator>

#include "desk/desk.h"
#include "window_fixture.h"

using quenlo::test::q;
using quenlo::test::WindowFixture;

namespace {

// The page at `url` as a browser gets it; empty when nothing answers.
QString fetch(const QUrl& url) {
    QProcess curl;
    curl.start("curl", {"-s", "--max-time", "5", url.toString()});
    curl.waitForFinished(10000);
    return QString::fromUtf8(curl.readAllStandardOutput());
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void replace_in_file(const std::string& path, const std::string& from, const std::string& to) {
    std::string text = read_file(path);
    const std::size_t at = text.find(from);
    QVERIFY(at != std::string::npos);
    text.replace(at, from.size(), to);
    std::ofstream(path, std::ios::binary) << text;
}

// Clicks the middle of the log's line `line`, as the author would.
void click_line(WindowFixture& f, int line) {
    quenlo::app::LogView* log = f.relog();
    QTextCursor at(log->document()->findBlockByNumber(line));
    at.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor, 3);
    log->setTextCursor(at);  // the log shares the window with the editor
    log->ensureCursorVisible();
    QTest::mouseClick(log->viewport(), Qt::LeftButton, {}, log->cursorRect(at).center());
}

}  // namespace

class PlayTest : public QObject {
    Q_OBJECT
private slots:
    void theGameFollowsARoomSavedInAnEditorUntilTheProjectChanges() {
        WindowFixture f;
        const std::string project = f.make_project("Faro");
        f.set_project(project);
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(f.window.get(), Qt::Key_F5);

        QCOMPARE(f.urls.opened.size(), 1);
        const QUrl page = f.urls.opened[0];
        QCOMPARE(page.host(), QString("127.0.0.1"));
        QCOMPARE(page.path(), QString("/"));
        QVERIFY(fetch(page).contains("buia e umida"));

        const int before = f.lines().size();
        replace_in_file(project + "/rooms.qnr", "buia e umida", "buia e Zanzibarquenlo");
        QTRY_VERIFY_WITH_TIMEOUT(fetch(page).contains("Zanzibarquenlo"), 15000);
        const QStringList rebuild = f.lines().mid(before);
        QCOMPARE(rebuild.value(0), QString());
        QVERIFY(rebuild.value(1).startsWith("Start generating adventure (debug HTML file)..."));
        QCOMPARE(rebuild.filter("Adventure generated successfully!").size(), 1);
        QCOMPARE(f.urls.opened.size(), 1);  // the open page reloads itself

        f.set_project(f.make_project("Altro"));
        QCOMPARE(fetch(page), QString());
    }

    void aFailedRebuildAfterASaveOpensNoDialog() {
        WindowFixture f;
        const std::string project = f.make_project("Rotto");
        f.set_project(project);
        f.trigger("Playinbrowser1");
        QCOMPARE(f.urls.opened.size(), 1);
        const int before = f.lines().size();
        std::ofstream(project + "/variables.qnv", std::ios::binary) << "0:_vX_=0\r\n0:_vX_=0\r\n";
        QTRY_VERIFY_WITH_TIMEOUT(f.find_line("Error: ", before) >= 0, 15000);
        QVERIFY(f.dialogs.messages.empty());
    }

    void theLogLinksOpenThePageAndTheFileAtFault() {
        WindowFixture f;
        const std::string project = f.make_project("Collegamenti");
        f.set_project(project);
        f.trigger("Generate1");
        const int generated = f.find_line("Generated: ");
        QVERIFY(generated > 0);
        click_line(f, generated);
        QCOMPARE(f.urls.opened,
                 QList<QUrl>{QUrl::fromLocalFile(q(project + "/ilfaro_debug.html"))});

        f.trigger("Skipfilecharacterscheck1");  // the check runs
        std::ofstream(project + "/help.qni", std::ios::binary) << "Aiuto \"qui\"\r\n";
        f.trigger("Generate1");
        const int location = f.find_line(q(project + "/help.qni:1:7: error: "));
        QVERIFY(location > 0);
        QVERIFY(f.relog()->line_link(location + 1).isEmpty());  // the source line is none
        click_line(f, location);  // a project file opens in the editor, not outside
        QCOMPARE(f.urls.opened.size(), 1);
        QVERIFY(f.window->desk().editor("help.qni"));
    }

    void openProjectFolderOpensItInTheFileManager() {
        WindowFixture f;
        f.trigger("Openprojectfolder1");  // no project: the command is not there
        QVERIFY(f.urls.opened.isEmpty());
        const std::string project = f.make_project("Cartella");
        f.set_project(project);
        f.trigger("Openprojectfolder1");
        QCOMPARE(f.urls.opened, QList<QUrl>{QUrl::fromLocalFile(q(project))});
    }
};

QTEST_MAIN(PlayTest)
#include "frmmain_play_test.moc"
