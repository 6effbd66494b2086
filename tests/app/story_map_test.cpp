// View > Story map on a new project: the sample's rooms drawn, a click on a
// room opens the rooms file at its header, and the map follows a change to
// the rooms file with the new room that nothing leads to in red.

#include <QDockWidget>
#include <QSignalSpy>
#include <QtTest>
#include <fstream>

#include "app/story_map_panel.h"
#include "app/story_map_view.h"
#include "desk/desk.h"
#include "desk/source_editor.h"
#include "window_fixture.h"

using quenlo::test::q;
using quenlo::test::WindowFixture;

namespace {

const quenlo::StoryRoom* room_named(const quenlo::app::StoryMapView& view, const char* name) {
    for (const quenlo::StoryRoom& room : view.graph().rooms)
        if (room.name == name) return &room;
    return nullptr;
}

}  // namespace

class StoryMapTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheSampleAndOpensARoomAndFollowsAChange() {
        WindowFixture f;
        const std::string project = f.make_project("Mappa");
        f.set_project(project);
        f.trigger("Storymap1");
        auto* dock = f.window->findChild<QDockWidget*>("StoryMapDock");
        QVERIFY(dock && dock->isVisible());
        auto* panel = dock->findChild<quenlo::app::StoryMapPanel*>();
        QVERIFY(panel);
        QSignalSpy shown(panel, &quenlo::app::StoryMapPanel::map_shown);
        QVERIFY(shown.wait(5000));
        quenlo::app::StoryMapView& view = *panel->view();
        QCOMPARE(view.graph().rooms.size(), std::size_t(4));
        QCOMPARE(view.graph().passages.size(), std::size_t(6));
        QVERIFY(view.width() > 100 && view.height() > 100);

        // The dialog room's box, clicked, names its header: "{:4}" in rooms.qnr.
        QSignalSpy clicked(&view, &quenlo::app::StoryMapView::room_clicked);
        const auto faro = view.room_rect("_rFaro_");
        QVERIFY(faro);
        QTest::mouseClick(&view, Qt::LeftButton, {}, faro->center().toPoint());
        QCOMPARE(clicked.size(), 1);
        const QString rooms_file = q(project + "/rooms.qnr");
        QCOMPARE(clicked[0][0].toString(), rooms_file);
        QStringList lines;
        {
            QFile file(rooms_file);
            QVERIFY(file.open(QIODevice::ReadOnly));
            lines = QString::fromUtf8(file.readAll()).split("\r\n");
        }
        QCOMPARE(lines.value(clicked[0][1].toInt() - 1), QString("{:4}"));
        // It opens in the editor at that header.
        QVERIFY(f.urls.opened.isEmpty());
        const quenlo::desk::SourceEditor* editor = f.window->desk().current_editor();
        QVERIFY(editor);
        QCOMPARE(editor->file_name(), std::string("rooms.qnr"));
        int line = -1, index = -1;
        editor->getCursorPosition(&line, &index);
        QCOMPARE(line + 1, clicked[0][1].toInt());
        // Beside every box there is nothing to click.
        QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(clicked.size(), 1);

        // A room written into the file appears, red, without a build.
        {
            std::ofstream out(project + "/rooms.qnr", std::ios::app | std::ios::binary);
            out << "\r\n{5}\r\n_rCripta_\r\nUna cripta.\r\n";
        }
        QTRY_VERIFY_WITH_TIMEOUT(room_named(view, "_rCripta_") != nullptr, 5000);
        QVERIFY(room_named(view, "_rCripta_")->unreachable);
        QVERIFY(!room_named(view, "_rGiardino_")->unreachable);
        QVERIFY(view.room_rect("_rCripta_"));
    }
};

QTEST_MAIN(StoryMapTest)
#include "story_map_test.moc"
