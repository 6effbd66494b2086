// Closing the map editor: the connections check, the connection point
// check, "Save changes?", and the two files written together or not at all.

#include <QtTest>
#include <filesystem>

#include "foundation/error.h"
#include "editor_fixture.h"
#include "mapeditor/save_files.h"

using quenlo::MessageKind;
using quenlo::test::EditorFixture;
using quenlo::test::ShownMessage;

namespace {

const std::string blank_map = std::string(2520, '0') + "\r\n";

// The map file with the given fields ("column,row" -> three digits) set.
std::string map_with(const std::map<std::pair<int, int>, std::string>& fields) {
    std::string map = blank_map;
    for (const auto& [cell, digits] : fields)
        map.replace(((cell.first - 1) * 30 + (cell.second - 1)) * 3, 3, digits);
    return map;
}

const ShownMessage save_question{MessageKind::confirmation, "Save changes?"};

}  // namespace

class MapEditorCloseTest : public QObject {
    Q_OBJECT
private slots:
    void savingANewProjectsMapUnchanged() {
        EditorFixture f;
        f.open_and_show();
        f.dialogs.yes_no_answers = {true};
        QVERIFY(f.editor->close());
        QCOMPARE(f.dialogs.questions, std::vector<ShownMessage>{save_question});
        QVERIFY(f.dialogs.messages.empty());
        QCOMPARE(f.read("map1.qn"), blank_map);
        QCOMPARE(f.read("connections.qn"), std::string());
    }

    void savingPaintedAreasAndConnections() {
        EditorFixture f;
        f.write("connections.qn", "5,6\r\n");
        f.open_and_show();
        f.paint(1, 3, 5);
        f.paint(1, 3, 5);  // area 1's point, column 3, row 5: characters 193 to 195
        f.paint(1, 3, 6);
        f.paint(12, 28, 30);
        f.paint(12, 28, 30);
        f.memconn()->setPlainText(" 1,12 \n\n3;7\n5,6\n\t2,80");
        f.dialogs.yes_no_answers = {true};
        QVERIFY(f.editor->close());
        QVERIFY(!f.editor->isVisible());
        const std::string map = f.read("map1.qn");
        QCOMPARE(map, map_with({{{3, 5}, "101"}, {{3, 6}, "001"}, {{28, 30}, "112"}}));
        QCOMPARE(map.substr(192, 3), std::string("101"));
        QCOMPARE(map.size(), std::size_t(2522));
        QCOMPARE(f.read("connections.qn"), std::string("1,12\r\n5,6\r\n2,80\r\n"));
        // The connections were cleaned up in the editor before the question.
        QCOMPARE(f.memconn()->toPlainText(), QString("1,12\n5,6\n2,80"));
    }

    void answeringNoWritesNothing() {
        EditorFixture f;
        f.open_and_show();
        f.paint(4, 1, 1);
        f.paint(4, 1, 1);
        f.memconn()->setPlainText("4,4");
        f.dialogs.yes_no_answers = {false};
        QVERIFY(f.editor->close());
        QCOMPARE(f.dialogs.questions, std::vector<ShownMessage>{save_question});
        QCOMPARE(f.read("map1.qn"), blank_map);
        QCOMPARE(f.read("connections.qn"), std::string());
    }

    void anInvalidConnectionKeepsTheEditorOpen() {
        EditorFixture f;
        f.open_and_show();
        f.paint(3, 2, 2);
        f.paint(3, 2, 2);
        f.memconn()->setPlainText("1,2\n3,x");
        QVERIFY(f.error_shown());
        QVERIFY(!f.editor->close());
        QVERIFY(f.editor->isVisible());
        QCOMPARE(f.dialogs.messages,
                 (std::vector<ShownMessage>{{MessageKind::error, "Invalid connections!"}}));
        QVERIFY(f.dialogs.questions.empty());
        // The edits are intact, the files untouched.
        QCOMPARE(f.memconn()->toPlainText(), QString("1,2\n3,x"));
        QCOMPARE(f.cell(2, 2), 103);
        QCOMPARE(f.read("map1.qn"), blank_map);
        QCOMPARE(f.read("connections.qn"), std::string());
        for (const char* line : {"0,1", "1,81", ",", "3,7,9"}) {
            f.dialogs.messages.clear();
            f.memconn()->setPlainText(line);
            QVERIFY2(!f.editor->FormCloseQuery(), line);
            QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
        }
    }

    void anAreaWithoutAConnectionPointKeepsTheEditorOpen() {
        EditorFixture f;
        f.open_and_show();
        f.paint(30, 1, 1);  // an area that has only its point is complete
        f.paint(30, 1, 1);
        f.paint(9, 5, 5);
        f.paint(14, 6, 6);
        f.memconn()->setPlainText("9,14\n3;7\n");
        QVERIFY(!f.editor->close());
        QVERIFY(f.editor->isVisible());
        QCOMPARE(f.dialogs.messages,
                 (std::vector<ShownMessage>{
                     {MessageKind::error, "Missing connection point for area: 9"}}));
        QVERIFY(f.dialogs.questions.empty());
        QCOMPARE(f.memconn()->toPlainText(), QString("9,14"));
        f.paint(9, 5, 5);
        f.dialogs.messages.clear();
        QVERIFY(!f.editor->close());
        QCOMPARE(f.dialogs.messages,
                 (std::vector<ShownMessage>{
                     {MessageKind::error, "Missing connection point for area: 14"}}));
        QCOMPARE(f.read("map1.qn"), blank_map);
        f.paint(14, 6, 6);
        f.dialogs.yes_no_answers = {true};
        QVERIFY(f.editor->close());
        QCOMPARE(f.read("map1.qn"), map_with({{{1, 1}, "130"}, {{5, 5}, "109"}, {{6, 6}, "114"}}));
        QCOMPARE(f.read("connections.qn"), std::string("9,14\r\n"));
    }

    void aCellThreeDigitsCannotHoldAsksToCloseWithoutSaving() {
        EditorFixture f;
        f.write("map1.qn", map_with({{{2, 7}, "-01"}}));
        f.open_and_show();
        QCOMPARE(f.cell(2, 7), -1);
        const std::string question =
            "Unable to save map1.qn file! The cell of column 2, row 7 holds the value -1, which "
            "does not fit in three digits.\r\n\r\nClose window anyway?";
        f.dialogs.yes_no_answers = {false};
        QVERIFY(!f.editor->close());
        QVERIFY(f.editor->isVisible());
        QCOMPARE(f.dialogs.questions,
                 (std::vector<ShownMessage>{{MessageKind::warning, question}}));
        f.dialogs.yes_no_answers = {true};
        QVERIFY(f.editor->close());
        QCOMPARE(f.dialogs.questions.size(), std::size_t(2));  // "Save changes?" never asked
        QCOMPARE(f.read("map1.qn"), map_with({{{2, 7}, "-01"}}));
        // Erasing the cell lets it save.
        f.open_and_show();
        f.click(2, 7, Qt::RightButton);
        f.dialogs.yes_no_answers = {true};
        QVERIFY(f.editor->close());
        QCOMPARE(f.read("map1.qn"), blank_map);
    }

    void aFailedSaveLeavesBothFilesAndTheEditorOpen() {
        EditorFixture f;
        f.write("connections.qn", "1,2\r\n");
        f.open_and_show();
        f.paint(1, 1, 1);
        f.paint(1, 1, 1);
        // connections.qn cannot be replaced: a folder has taken its name.
        std::filesystem::remove(f.path("connections.qn"));
        std::filesystem::create_directory(f.path("connections.qn"));
        f.dialogs.yes_no_answers = {true};
        QVERIFY(!f.editor->close());
        QVERIFY(f.editor->isVisible());
        QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
        QCOMPARE(f.dialogs.messages[0].kind, MessageKind::error);
        const std::string prefix = "Cannot create file \"" + f.path("connections.qn") + "\". ";
        QVERIFY2(f.dialogs.messages[0].text.starts_with(prefix),
                 f.dialogs.messages[0].text.c_str());
        QCOMPARE(f.read("map1.qn"), blank_map);
        QVERIFY(std::filesystem::is_directory(f.path("connections.qn")));
        // No temporary file is left behind.
        int files = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(f.folder()))
            ++files;
        QCOMPARE(files, 24);  // the 23 files of a new project and map1.gif

        // Once the folder is gone, the same close saves.
        std::filesystem::remove(f.path("connections.qn"));
        f.dialogs.yes_no_answers = {true};
        QVERIFY(f.editor->close());
        QCOMPARE(f.read("map1.qn"), map_with({{{1, 1}, "101"}}));
        QCOMPARE(f.read("connections.qn"), std::string("1,2\r\n"));
    }

    void aFileThatFailsLastPutsTheFirstBack() {
        EditorFixture f;
        f.write("first.txt", "old first");
        f.write("second.txt", "old second");
        const QString first = QString::fromStdString(f.path("first.txt"));
        const QString second = QString::fromStdString(f.path("second.txt"));
        try {
            quenlo::mapeditor::save_files_together(
                {{first, "new first"}, {second, "new second"}}, [&] {
                    // Both are written; now the second cannot take its place.
                    std::filesystem::remove(f.path("second.txt"));
                    std::filesystem::create_directory(f.path("second.txt"));
                    std::filesystem::create_directory(f.path("second.txt/inside"));
                });
            QFAIL("the save did not fail");
        } catch (const quenlo::Error& error) {
            QVERIFY(std::string(error.what())
                        .starts_with("Cannot create file \"" + f.path("second.txt") + "\". "));
        }
        QCOMPARE(f.read("first.txt"), std::string("old first"));

        // A file that did not exist before is removed again.
        f.program.remove("Mappe/first.txt");
        std::filesystem::remove_all(f.path("second.txt"));
        f.write("second.txt", "old second");
        QVERIFY_THROWS_EXCEPTION(
            quenlo::Error, quenlo::mapeditor::save_files_together(
                               {{first, "new first"}, {second, "new second"}}, [&] {
                                   std::filesystem::remove(f.path("second.txt"));
                                   std::filesystem::create_directory(f.path("second.txt"));
                                   std::filesystem::create_directory(f.path("second.txt/inside"));
                               }));
        QVERIFY(!std::filesystem::exists(f.path("first.txt")));

        // Without a failure both are replaced, keeping their permission bits.
        std::filesystem::remove_all(f.path("second.txt"));
        f.write("second.txt", "old second");
        const auto kept = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                          std::filesystem::perms::group_read;
        std::filesystem::permissions(f.path("second.txt"), kept);
        quenlo::mapeditor::save_files_together({{first, "new first"}, {second, "new second"}});
        QCOMPARE(f.read("first.txt"), std::string("new first"));
        QCOMPARE(f.read("second.txt"), std::string("new second"));
        QCOMPARE(std::filesystem::status(f.path("second.txt")).permissions(), kept);
    }

    void theTitleBarAndEscapeGoThroughTheSameChecks() {
        EditorFixture f;
        f.open_and_show();
        f.paint(2, 3, 3);
        QTest::keyClick(f.editor.get(), Qt::Key_Escape);
        QVERIFY(f.editor->isVisible());
        QCOMPARE(f.dialogs.messages,
                 (std::vector<ShownMessage>{
                     {MessageKind::error, "Missing connection point for area: 2"}}));
        f.editor->reject();
        QVERIFY(f.editor->isVisible());
        f.editor->accept();
        QVERIFY(f.editor->isVisible());
        QCOMPARE(f.dialogs.messages.size(), std::size_t(3));
    }
};

QTEST_MAIN(MapEditorCloseTest)
#include "map_editor_close_test.moc"
