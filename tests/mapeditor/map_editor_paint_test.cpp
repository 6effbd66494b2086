// Painting the map with the mouse, the buttons, the connections while they
// are edited, the status line, and the picture the paint box draws.

#include <QPainter>
#include <QtTest>

#include "editor_fixture.h"
#include "mapeditor/map_painting.h"

using quenlo::MapGrid;
using quenlo::test::centre;
using quenlo::test::EditorFixture;

namespace {

const QColor grid_green(0, 128, 0);
const QColor line_blue(166, 202, 240);
const QColor red(255, 0, 0);
const QColor white(255, 255, 255);
const QColor grey(128, 128, 128);

// The map drawn over a plain grey picture.
QImage drawn(const MapGrid& grid, const std::string& connections) {
    QImage picture(560, 600, QImage::Format_RGB32);
    picture.fill(grey);
    QImage canvas(560, 600, QImage::Format_RGB32);
    QPainter painter(&canvas);
    quenlo::mapeditor::paint_map(painter, picture, grid,
                                 quenlo::draw_connections(connections, grid));
    return canvas;
}

int count_colour(const QImage& image, const QRect& area, const QColor& colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) count += image.pixelColor(x, y) == colour;
    return count;
}

// Labels are drawn smoothly: their pixels are near their colour.
int count_near(const QImage& image, const QRect& area, const QColor& colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) < 60 &&
                     std::abs(c.green() - colour.green()) < 60 &&
                     std::abs(c.blue() - colour.blue()) < 60;
        }
    return count;
}

}  // namespace

class MapEditorPaintTest : public QObject {
    Q_OBJECT
private slots:
    void aLeftClickTagsASecondSetsThePointAThirdUndoesIt() {
        EditorFixture f;
        f.open_and_show();
        f.cbo()->setCurrentIndex(5);
        f.click(3, 4);
        QCOMPARE(f.cell(3, 4), 5);
        f.click(3, 4);
        QCOMPARE(f.cell(3, 4), 105);
        f.click(3, 4);
        QCOMPARE(f.cell(3, 4), 5);
        // A click at the last pixel of the grid, and one beside it.
        f.mouse(QEvent::MouseButtonPress, QPoint(559, 599), Qt::LeftButton, Qt::LeftButton);
        f.mouse(QEvent::MouseButtonRelease, QPoint(559, 599), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(f.cell(28, 30), 5);
    }

    void noneAndTheRightButtonErase() {
        EditorFixture f;
        f.open_and_show();
        f.paint(7, 1, 1);
        f.paint(7, 2, 1);
        f.paint(7, 2, 1);  // area 7's point
        f.cbo()->setCurrentIndex(0);
        f.click(5, 5);  // "none" on an empty cell leaves it empty
        QCOMPARE(f.cell(5, 5), 0);
        f.click(1, 1);
        QCOMPARE(f.cell(1, 1), 0);
        f.cbo()->setCurrentIndex(7);
        f.click(2, 1, Qt::RightButton);
        QCOMPARE(f.cell(2, 1), 0);
        f.paint(4, 9, 9);
        f.click(9, 9, Qt::MiddleButton);
        QCOMPARE(f.editor->grid(), MapGrid{});
    }

    void movingAConnectionPointLeavesOne() {
        EditorFixture f;
        f.open_and_show();
        f.paint(5, 3, 10);
        f.paint(5, 3, 10);
        f.paint(5, 28, 1);
        QCOMPARE(f.cell(3, 10), 105);
        f.click(28, 1);
        QCOMPARE(f.cell(28, 1), 105);
        QCOMPARE(f.cell(3, 10), 5);
        // A point of area 7 clicked with area 3 selected stays area 7's.
        f.paint(7, 6, 6);
        f.click(6, 6);
        QCOMPARE(f.cell(6, 6), 107);
        f.cbo()->setCurrentIndex(3);
        f.click(6, 6);
        QCOMPARE(f.cell(6, 6), 7);
    }

    void draggingPaintsAndErasesAlongTheWay() {
        EditorFixture f;
        f.open_and_show();
        f.cbo()->setCurrentIndex(2);
        f.drag(Qt::LeftButton,
               {centre(1, 1), centre(2, 1), QPoint(95, 5), centre(5, 1), centre(1, 1)});
        for (int x = 1; x <= 5; ++x) QCOMPARE(f.cell(x, 1), 2);
        QCOMPARE(f.cell(6, 1), 0);
        // A drag that starts inside the area paints on and moves no point.
        f.click(5, 1);
        QCOMPARE(f.cell(5, 1), 102);
        f.drag(Qt::LeftButton, {centre(3, 1), centre(3, 4), centre(3, 1)});
        QCOMPARE(f.cell(3, 1), 2);
        QCOMPARE(f.cell(3, 2), 2);
        QCOMPARE(f.cell(3, 4), 2);
        QCOMPARE(f.cell(5, 1), 102);
        // A right drag erases everything it passes, points too.
        f.drag(Qt::RightButton, {centre(1, 1), centre(6, 1)});
        for (int x = 1; x <= 6; ++x) QCOMPARE(f.cell(x, 1), 0);
        QCOMPARE(f.cell(3, 2), 2);
        // Past the edge of the picture and back.
        f.drag(Qt::LeftButton,
               {centre(27, 30), QPoint(600, 590), QPoint(600, 570), centre(27, 29)});
        QCOMPARE(f.cell(27, 30), 2);
        QCOMPARE(f.cell(28, 30), 2);
        QCOMPARE(f.cell(28, 29), 2);
        QCOMPARE(f.cell(27, 29), 2);
    }

    void aSecondButtonDuringAStrokeStartsNothing() {
        EditorFixture f;
        f.open_and_show();
        f.cbo()->setCurrentIndex(4);
        f.mouse(QEvent::MouseButtonPress, centre(1, 1), Qt::LeftButton, Qt::LeftButton);
        f.mouse(QEvent::MouseButtonPress, centre(1, 1), Qt::RightButton,
                Qt::LeftButton | Qt::RightButton);
        f.mouse(QEvent::MouseMove, centre(2, 1), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
        f.mouse(QEvent::MouseButtonRelease, centre(2, 1), Qt::RightButton, Qt::LeftButton);
        f.mouse(QEvent::MouseButtonRelease, centre(2, 1), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(f.cell(1, 1), 4);
        QCOMPARE(f.cell(2, 1), 4);
        // After the release a plain move paints nothing.
        f.mouse(QEvent::MouseMove, centre(3, 1), Qt::NoButton, Qt::NoButton);
        QCOMPARE(f.cell(3, 1), 0);
    }

    void theButtons() {
        EditorFixture f;
        f.write("connections.qn", "1,2\r\n");
        f.open_and_show();
        f.paint(3, 4, 4);
        f.paint(3, 4, 4);
        f.paint(9, 20, 20);
        QCOMPARE(f.cbo()->currentIndex(), 9);
        f.button("BitBtn2")->click();
        QCOMPARE(f.cbo()->currentIndex(), 0);
        f.button("btndellog")->click();  // asked, and answered no
        QCOMPARE(f.cell(20, 20), 9);
        f.dialogs.yes_no_answers = {true};
        f.button("btndellog")->click();
        QCOMPARE(f.dialogs.questions.back().text, std::string("Clear all cells?"));
        QCOMPARE(f.editor->grid(), MapGrid{});
        QCOMPARE(f.memconn()->toPlainText(), QString("1,2"));
        f.button("BitBtn1")->click();
        QCOMPARE(f.memconn()->toPlainText(), QString());
    }

    void theErrorMarkFollowsTheConnectionsAndTheCells() {
        EditorFixture f;
        f.open_and_show();
        f.paint(3, 2, 2);
        f.paint(3, 2, 2);
        QVERIFY(!f.error_shown());
        f.memconn()->setPlainText("3,7");  // only area 3 has a point
        QVERIFY(f.error_shown());
        f.paint(7, 9, 9);
        f.paint(7, 9, 9);
        QVERIFY(!f.error_shown());
        f.click(9, 9, Qt::RightButton);
        QVERIFY(f.error_shown());
        f.memconn()->setPlainText("5,9");  // neither end on this map
        QVERIFY(!f.error_shown());
        f.memconn()->setPlainText("3;7\n\n,");
        QVERIFY(!f.error_shown());
        f.memconn()->setPlainText("3,x");
        QVERIFY(f.error_shown());
        f.memconn()->setPlainText("3,81\n5,9");
        QVERIFY(f.error_shown());
        f.memconn()->setPlainText("5,80");
        QVERIFY(!f.error_shown());
        QCOMPARE(f.lblerror()->text(), QString("???"));
    }

    void theStatusLineSaysTheCellUnderThePointer() {
        EditorFixture f;
        f.open_and_show();
        QCOMPARE(f.lblstatus()->text(), QString());
        f.mouse(QEvent::MouseMove, centre(3, 5), Qt::NoButton, Qt::NoButton);
        QCOMPARE(f.lblstatus()->text(), QString("Column 3, row 5: no area"));
        f.paint(1, 3, 5);
        QCOMPARE(f.lblstatus()->text(), QString("Column 3, row 5: area 1 _rStanzaBuia_"));
        f.click(3, 5);
        QCOMPARE(f.lblstatus()->text(),
                 QString("Column 3, row 5: area 1 _rStanzaBuia_, connection point"));
        f.mouse(QEvent::MouseMove, QPoint(560, 10), Qt::NoButton, Qt::NoButton);
        QCOMPARE(f.lblstatus()->text(), QString());
    }

    void escapeAsksTheCloseQuestion() {
        EditorFixture f;
        f.open_and_show();
        f.dialogs.yes_no_answers = {false};
        QTest::keyClick(f.editor.get(), Qt::Key_Escape);
        QCOMPARE(f.dialogs.questions.size(), std::size_t(1));
        QCOMPARE(f.dialogs.questions[0].text, std::string("Save changes?"));
        QVERIFY(!f.editor->isVisible());
    }

    void labelsHaveTwoCharacters() {
        QCOMPARE(quenlo::mapeditor::area_label(1), QString(" 1"));
        QCOMPARE(quenlo::mapeditor::area_label(9), QString(" 9"));
        QCOMPARE(quenlo::mapeditor::area_label(10), QString("10"));
        QCOMPARE(quenlo::mapeditor::area_label(79), QString("79"));
    }

    void theGridIsDottedGreen() {
        const QImage image = drawn(MapGrid{}, "");
        // Lines at 20, 40, ... 540 and 20, 40, ... 580; none at the edges.
        const int on_line = count_colour(image, QRect(20, 0, 1, 600), grid_green);
        QVERIFY2(on_line > 150 && on_line < 450, qPrintable(QString::number(on_line)));
        QVERIFY(count_colour(image, QRect(0, 580, 560, 1), grid_green) > 100);
        QCOMPARE(count_colour(image, QRect(0, 1, 1, 19), grid_green), 0);
        QCOMPARE(count_colour(image, QRect(559, 1, 1, 19), grid_green), 0);
        QCOMPARE(count_colour(image, QRect(1, 599, 19, 1), grid_green), 0);
        QCOMPARE(count_colour(image, QRect(1, 1, 18, 18), grey), 18 * 18);
    }

    void aConnectionPointIsFramedRedWhiteRed() {
        MapGrid grid;
        grid.set_cell(3, 2, 107);  // pixels 40..59, 20..39
        const QImage image = drawn(grid, "");
        QCOMPARE(image.pixelColor(40, 20), red);
        QCOMPARE(image.pixelColor(59, 39), red);
        QCOMPARE(image.pixelColor(41, 21), white);
        QCOMPARE(image.pixelColor(58, 38), white);
        QCOMPARE(image.pixelColor(42, 22), red);
        QCOMPARE(image.pixelColor(57, 37), red);
        QCOMPARE(image.pixelColor(50, 39), red);   // bottom edge
        QCOMPARE(image.pixelColor(61, 30), grey);  // nothing outside the cell
        // The label: red strokes with white around them.
        QVERIFY(count_near(image, QRect(43, 23, 14, 14), red) > 5);
        QVERIFY(count_near(image, QRect(43, 23, 14, 14), white) > 5);
    }

    void aPlainCellHasItsLabelOnly() {
        MapGrid grid;
        grid.set_cell(1, 1, 42);
        const QImage image = drawn(grid, "");
        QCOMPARE(image.pixelColor(0, 0), grey);
        QVERIFY(count_near(image, QRect(0, 0, 20, 20), red) > 5);
        QVERIFY(count_near(image, QRect(0, 0, 20, 20), white) > 5);
        QCOMPARE(count_near(image, QRect(100, 100, 20, 20), red), 0);
    }

    void aConnectionIsDrawnBetweenTheCentres() {
        MapGrid grid;
        grid.set_cell(2, 10, 101);   // centre (30, 190)
        grid.set_cell(12, 10, 102);  // centre (230, 190)
        const QImage image = drawn(grid, "1,2");
        // Along the row of centres between the two frames: blue and red dots.
        const QRect between(70, 190, 120, 1);
        QVERIFY(count_colour(image, between, line_blue) > 20);
        QVERIFY(count_colour(image, between, red) > 20);
        QCOMPARE(count_colour(image, QRect(70, 160, 120, 1), line_blue), 0);
        // Not drawn when one end is missing.
        grid.set_cell(12, 10, 2);
        QCOMPARE(count_colour(drawn(grid, "1,2"), between, line_blue), 0);
        QCOMPARE(count_colour(drawn(grid, "1;2"), between, line_blue), 0);
    }
};

QTEST_MAIN(MapEditorPaintTest)
#include "map_editor_paint_test.moc"
