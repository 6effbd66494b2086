// The editor's own commands as an author uses them: painting an area by
// dragging from inside it, taking changes back and doing them again from the
// keyboard, saving without closing, and a small screen.

#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "editor_fixture.h"

using quenlo::MapGrid;
using quenlo::test::centre;
using quenlo::test::EditorFixture;

namespace {

void press_keys(QWidget* widget, const QKeySequence& keys) {
    const QKeyCombination key = keys[0];
    QTest::keyClick(widget, key.key(), key.keyboardModifiers());
}

}  // namespace

class MapEditorCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void dragInsideAnAreaUndoRedoAndSaveWithoutClosing() {
        EditorFixture f;
        f.open_and_show();
        f.editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.editor.get()));
        // Area 3 with its connection point at (5, 5).
        f.cbo()->setCurrentIndex(3);
        f.drag(Qt::LeftButton, {centre(4, 5), centre(6, 5)});
        f.click(5, 5);
        QCOMPARE(f.cell(5, 5), 103);
        const MapGrid before = f.editor->grid();

        // Painting on from inside the area, across its point, keeps the point.
        f.drag(Qt::LeftButton, {centre(4, 5), centre(4, 8), centre(6, 8)});
        QCOMPARE(f.cell(5, 5), 103);
        QCOMPARE(f.cell(4, 5), 3);
        QCOMPARE(f.cell(4, 7), 3);
        QCOMPARE(f.cell(6, 8), 3);

        // The stroke is one step back and one forward.
        press_keys(f.editor.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(f.editor->grid(), before);
        press_keys(f.editor.get(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(f.cell(6, 8), 3);

        // Typing connections, with the keyboard in the text: one step too.
        f.memconn()->setFocus();
        QTest::keyClicks(f.memconn(), "3,3");
        QCOMPARE(f.memconn()->toPlainText(), QString("3,3"));
        press_keys(f.memconn(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(f.memconn()->toPlainText(), QString());
        QCOMPARE(f.cell(6, 8), 3);
        press_keys(f.memconn(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(f.editor->grid(), before);
        press_keys(f.memconn(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        press_keys(f.memconn(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(f.memconn()->toPlainText(), QString("3,3"));

        // Clearing the cells asks first and can be taken back.
        f.dialogs.yes_no_answers = {true};
        f.button("btndellog")->click();
        QCOMPARE(f.editor->grid(), MapGrid{});
        press_keys(f.editor.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(f.cell(6, 8), 3);

        // Ctrl+S writes both files with no question, and the editor stays.
        const std::size_t questions = f.dialogs.questions.size();
        press_keys(f.editor.get(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(f.dialogs.questions.size(), questions);
        QVERIFY(f.dialogs.messages.empty());
        QVERIFY(f.editor->isVisible());
        QCOMPARE(f.read("connections.qn"), std::string("3,3\r\n"));
        QCOMPARE(f.read("map1.qn").substr(3 * (3 * 30 + 7), 3), std::string("003"));  // (4, 8)
        QCOMPARE(f.read("map1.qn").substr(3 * (4 * 30 + 4), 3), std::string("103"));  // (5, 5)
        QCOMPARE(f.lblstatus()->text(), QString("Saved map1.qn and connections.qn."));
    }

    void saveRefusesWhatClosingRefuses() {
        EditorFixture f;
        f.open_and_show();
        const std::string map = f.read("map1.qn");
        f.paint(7, 2, 2);
        f.button("btnSave")->click();
        QCOMPARE(f.dialogs.messages.back().text,
                 std::string("Missing connection point for area: 7"));
        QCOMPARE(f.read("map1.qn"), map);
        QVERIFY(f.editor->isVisible());
    }

    void theMapScrollsOnASmallScreen() {
        // 1366 x 768 at 125 %: about 1093 x 614 pixels, less the title bar.
        EditorFixture f;
        f.open_and_show();
        const QSize small(1093 - 16, 614 - 40);
        QVERIFY(f.editor->minimumSizeHint().width() <= small.width());
        QVERIFY(f.editor->minimumSizeHint().height() <= small.height());
        f.editor->resize(small);
        QCOMPARE(f.editor->size(), small);
        QCoreApplication::sendPostedEvents();
        auto* scroller = f.find<QScrollArea>("pnlMap");
        QVERIFY(scroller->geometry().bottom() < small.height());
        // Scrolled to its end, the last row is in view.
        QScrollBar* bar = scroller->verticalScrollBar();
        bar->setValue(bar->maximum());
        const QPoint last = f.pb()->mapTo(scroller->viewport(), centre(28, 30));
        QVERIFY2(scroller->viewport()->rect().contains(last),
                 qPrintable(QStringLiteral("%1,%2 in %3x%4")
                                .arg(last.x())
                                .arg(last.y())
                                .arg(scroller->viewport()->width())
                                .arg(scroller->viewport()->height())));
    }
};

QTEST_MAIN(MapEditorCommandsTest)
#include "map_editor_commands_test.moc"
