// The writing desk as a new author meets it: a new project's rooms opened
// from the panel, a link to an object nobody declared, completion, going to
// a room's header, renaming it in every file, saving, the log's links and a
// file changed by another program.

#include <QListWidget>
#include <QTabWidget>
#include <QTextBlock>
#include <QtTest>
#include <fstream>
#include <sstream>

#include "desk/desk.h"
#include "desk/project_panel.h"
#include "desk/source_editor.h"
#include "window_fixture.h"

using quenlo::desk::SourceEditor;
using quenlo::test::q;
using quenlo::test::WindowFixture;

namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The first line (from 0) of `editor` holding `piece`, or -1.
int line_with(const SourceEditor& editor, const QString& piece) {
    for (int line = 0; line < editor.lines(); ++line)
        if (editor.text(line).contains(piece)) return line;
    return -1;
}

void click_entry(quenlo::desk::ProjectPanel& panel, QTreeWidgetItem* item) {
    panel.scrollToItem(item);
    QTest::mouseClick(panel.viewport(), Qt::LeftButton, {}, panel.visualItemRect(item).center());
}

}  // namespace

class DeskTest : public QObject {
    Q_OBJECT
private slots:
    void aNewAuthorWritesRenamesAndSaves() {
        WindowFixture f;
        const std::string project = f.make_project("Scrittoio");
        f.set_project(project);
        quenlo::desk::Desk& desk = f.window->desk();
        QVERIFY(desk.panel()->entry("objects.qno", "_baule_"));  // names under their file

        QTreeWidgetItem* rooms_entry = desk.panel()->entry("rooms.qnr");
        QVERIFY(rooms_entry);
        click_entry(*desk.panel(), rooms_entry);
        SourceEditor* rooms = desk.current_editor();
        QVERIFY(rooms);
        QCOMPARE(rooms->file_name(), std::string("rooms.qnr"));
        QCOMPARE(f.window->windowTitle(), "rooms.qnr - Quenlo v3.6 - " + q(project));

        // A link to an object nobody declared: a squiggle with its text.
        const int dark = line_with(*rooms, "dà sul giardino.");
        QVERIFY(dark > 0);
        rooms->setCursorPosition(dark, rooms->text(dark).trimmed().size());
        rooms->setFocus();
        QTest::keyClicks(rooms, " Un {sasso|_sassoNascosto_}.");
        QVERIFY(rooms->text(dark).contains("{sasso|_sassoNascosto_}."));
        QCOMPARE(f.window->windowTitle(), "rooms.qnr* - Quenlo v3.6 - " + q(project));
        const auto squiggle_at_the_link = [&] {
            for (const auto& diagnostic : rooms->diagnostics())
                if (static_cast<int>(diagnostic.where.range.line) == dark &&
                    rooms->text(dark)
                        .toUtf8()
                        .mid(static_cast<qsizetype>(diagnostic.where.range.begin),
                             static_cast<qsizetype>(diagnostic.where.range.end -
                                                    diagnostic.where.range.begin))
                        .contains("_sassoNascosto_"))
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(squiggle_at_the_link(), 10000);
        const long at_link = rooms->position_of(
            static_cast<std::size_t>(dark),
            static_cast<std::size_t>(rooms->text(dark).toUtf8().indexOf("_sassoNascosto_") + 3));
        QVERIFY(rooms->hover_text_at(at_link).contains("_sassoNascosto_"));

        // "_" opening a name offers the declared objects; choosing one puts it in.
        QTest::keyClicks(rooms, " Un {altro|_");
        QTRY_VERIFY(rooms->isListActive());
        const QByteArray baule = "_baule_";
        rooms->SendScintilla(QsciScintilla::SCI_AUTOCSELECT, 0UL, baule.constData());
        QByteArray chosen(64, '\0');
        rooms->SendScintilla(QsciScintilla::SCI_AUTOCGETCURRENTTEXT, 0UL, chosen.data());
        QCOMPARE(QByteArray(chosen.constData()), baule);
        QTest::keyClick(rooms, Qt::Key_Tab);
        QVERIFY(rooms->text(dark).contains("{altro|_baule_"));
        QTest::keyClicks(rooms, "}.");

        // F12 on a use of _rGiardino_ goes to where the room is declared.
        const int path_back = line_with(*rooms, "torna|_rGiardino_}");
        QVERIFY(path_back > 0);
        rooms->setCursorPosition(path_back, rooms->text(path_back).indexOf("_rGiardino_") + 2);
        f.trigger("Gotodefinition1");
        const int header = line_with(*rooms, "{2}");
        QCOMPARE(static_cast<int>(rooms->caret_line()), header + 1);
        QVERIFY(rooms->text(header + 1).startsWith("_rGiardino_|"));
        QVERIFY(desk.hover_text(rooms, rooms->position_of(static_cast<std::size_t>(header + 1), 3))
                    .contains("_rGiardino_"));

        // Shift+F12 lists its uses in both files.
        f.trigger("Findreferences1");
        QVERIFY(desk.results()->isVisible());
        QVERIFY(!desk.results()->findItems("objects.qno:", Qt::MatchStartsWith).isEmpty());

        // F2 renames it in every file, after the preview is accepted.
        f.dialogs.input_answers = {std::string("_rOrto_")};
        f.dialogs.yes_no_answers = {true};
        f.trigger("Rename1");
        QVERIFY(QString::fromStdString(f.dialogs.questions.back().text)
                    .startsWith("Rename _rGiardino_ to _rOrto_: "));
        SourceEditor* objects = desk.editor("objects.qno");
        QVERIFY(objects);
        for (SourceEditor* edited : {rooms, objects}) {
            QVERIFY(!edited->text().contains("_rGiardino_"));
            QVERIFY(edited->text().contains("_rOrto_"));
        }
        QCOMPARE(desk.current_editor(), rooms);

        // Ctrl+S saves the file on show through the safe write; the other
        // stays unsaved until Ctrl+Shift+S.
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(rooms, Qt::Key_S, Qt::ControlModifier);
        const std::string saved = read_file(project + "/rooms.qnr");
        QVERIFY(saved.find("{sasso|_sassoNascosto_}.") != std::string::npos);
        QVERIFY(saved.find("_rGiardino_") == std::string::npos);
        QVERIFY(saved.find("\r\n") != std::string::npos);
        QCOMPARE(f.window->windowTitle(), "rooms.qnr - Quenlo v3.6 - " + q(project));
        QVERIFY(objects->isModified());
        QVERIFY(read_file(project + "/objects.qno").find("_rGiardino_") != std::string::npos);
        QTest::keyClick(rooms, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!objects->isModified());
        QVERIFY(read_file(project + "/objects.qno").find("_rOrto_") != std::string::npos);
    }

    void aTypoIsFixedAndNamesAreFound() {
        WindowFixture f;
        const std::string project = f.make_project("Refusi");
        f.set_project(project);
        quenlo::desk::Desk& desk = f.window->desk();

        // Ctrl+P: part of a name opens where it is declared.
        f.dialogs.input_answers = {std::string("scrittaStanza")};
        f.trigger("Goto1");
        SourceEditor* objects = desk.current_editor();
        QVERIFY(objects);
        QCOMPARE(objects->file_name(), std::string("objects.qno"));
        QVERIFY(objects->text(static_cast<int>(objects->caret_line()))
                    .startsWith("{_scrittaStanzaBuia_}"));

        // The "did you mean" of a misspelt name becomes its fix.
        QVERIFY(f.window->open_place("rooms.qnr", 1));
        SourceEditor* rooms = desk.current_editor();
        const int dark = line_with(*rooms, "dà sul giardino.");
        rooms->setCursorPosition(dark, rooms->text(dark).trimmed().size());
        rooms->insert(" Un altro {baule|_bauel_}.");
        const long at_typo = rooms->position_of(
            static_cast<std::size_t>(dark),
            static_cast<std::size_t>(rooms->text(dark).toUtf8().indexOf("_bauel_") + 2));
        QTRY_VERIFY_WITH_TIMEOUT(rooms->diagnostic_at(at_typo), 10000);
        QVERIFY(rooms->hover_text_at(at_typo).contains("did you mean _baule_?"));
        rooms->SendScintilla(QsciScintilla::SCI_GOTOPOS, static_cast<unsigned long>(at_typo));
        f.trigger("Quickfix1");
        QVERIFY(rooms->text(dark).contains("Un altro {baule|_baule_}."));

        // Find in project lists every line with the text, in every file.
        f.dialogs.input_answers = {std::string("_baule_")};
        f.trigger("Findinproject1");
        QVERIFY(desk.results()->isVisible());
        QVERIFY(!desk.results()->findItems("rooms.qnr:", Qt::MatchStartsWith).isEmpty());
        QVERIFY(!desk.results()->findItems("objects.qno:", Qt::MatchStartsWith).isEmpty());

        // Closing the modified tab asks; "no" lets the changes go.
        f.dialogs.yes_no_answers = {false};
        auto* tabs = desk.findChild<QTabWidget*>("editorTabs");
        emit tabs->tabCloseRequested(tabs->indexOf(rooms));
        QCOMPARE(QString::fromStdString(f.dialogs.questions.back().text),
                 QString("Save changes to rooms.qnr?"));
        QTRY_VERIFY(!desk.editor("rooms.qnr"));
        QVERIFY(read_file(project + "/rooms.qnr").find("Un altro") == std::string::npos);
    }

    void theLogLinksAndAnotherProgramsChangesReachTheEditor() {
        WindowFixture f;
        const std::string project = f.make_project("Collegamenti");
        f.set_project(project);
        f.trigger("Skipfilecharacterscheck1");  // the check runs
        std::ofstream(project + "/help.qni", std::ios::binary) << "Aiuto\r\nAiuto \"qui\"\r\n";
        f.trigger("Generate1");
        const int location = f.find_line(q(project + "/help.qni:2:7: error: "));
        QVERIFY(location > 0);
        QTextCursor at(f.relog()->document()->findBlockByNumber(location));
        at.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor, 3);
        f.relog()->setTextCursor(at);
        f.relog()->ensureCursorVisible();
        QTest::mouseClick(f.relog()->viewport(), Qt::LeftButton, {},
                          f.relog()->cursorRect(at).center());
        QVERIFY(f.urls.opened.isEmpty());
        SourceEditor* help = f.window->desk().current_editor();
        QVERIFY(help);
        QCOMPARE(help->file_name(), std::string("help.qni"));
        QCOMPARE(help->caret_line(), std::size_t{1});
        QCOMPARE(help->caret_byte(), std::size_t{6});

        // Without unsaved changes another program's text is taken; with them
        // the author is asked, and a "no" keeps them.
        // A Windows-1252 line is read as the build reads it, and saved as UTF-8.
        std::ofstream(project + "/help.qni", std::ios::binary) << "Aiuto nuovo perch\xE8\r\n";
        QTRY_COMPARE_WITH_TIMEOUT(help->text(), QString::fromUtf8("Aiuto nuovo perchè\r\n"), 10000);
        help->setCursorPosition(0, 0);
        QTest::keyClicks(help, "Mio ");
        f.dialogs.yes_no_answers = {false};
        const std::size_t asked = f.dialogs.questions.size();
        std::ofstream(project + "/help.qni", std::ios::binary) << "Altro\r\n";
        QTRY_COMPARE_WITH_TIMEOUT(f.dialogs.questions.size(), asked + 1, 10000);
        QCOMPARE(help->text(), QString::fromUtf8("Mio Aiuto nuovo perchè\r\n"));

        // Closing the window asks about the unsaved file; "yes" saves it.
        f.dialogs.yes_no_answers = {true};
        QVERIFY(f.window->close());
        QCOMPARE(QString::fromStdString(f.dialogs.questions.back().text),
                 QString("Save changes to help.qni?"));
        QCOMPARE(read_file(project + "/help.qni"),
                 std::string("Mio Aiuto nuovo perch\xC3\xA8\r\n"));
    }
};

QTEST_MAIN(DeskTest)
#include "frmmain_desk_test.moc"
