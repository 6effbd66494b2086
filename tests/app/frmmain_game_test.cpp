// The game pane: the page played beside the log follows a room text the
// window saves, in the same room and with one build; the window keeps its
// panes and fits a small screen.

#include <QApplication>
#include <QDockWidget>
#include <QtTest>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

#include "desk/desk.h"
#include "desk/source_editor.h"
#include "window_fixture.h"

#ifdef QUENLO_WITH_GAME_PANE
#include <QWebEnginePage>
#include <QWebEngineView>

using quenlo::test::WindowFixture;

namespace {

// What `script` gives in the page, null when the page gave nothing in 5 s.
QVariant evaluate(QWebEngineView* view, const QString& script) {
    auto answer = std::make_shared<std::optional<QVariant>>();
    view->page()->runJavaScript(script, [answer](const QVariant& value) { *answer = value; });
    if (!QTest::qWaitFor([&answer] { return answer->has_value(); }, 5000)) return QVariant();
    return **answer;
}

bool page_shows(QWebEngineView* view, const QString& text) {
    return evaluate(view,
                    QStringLiteral("(function () { var c = document.getElementById('content');"
                                   " return c !== null && c.textContent.indexOf('%1') >= 0; })()")
                        .arg(text))
        .toBool();
}

}  // namespace

class GameTest : public QObject {
    Q_OBJECT
private slots:
    void aSavedRoomTextShowsInTheSameRoomAfterOneBuild() {
        WindowFixture f;
        const std::string project = f.make_project("Faro");
        f.set_project(project);
        f.trigger("Game1");
        auto* view = f.window->findChild<QWebEngineView*>("webGame");
        QVERIFY(view);
        QTRY_COMPARE(view->url().host(), QString("127.0.0.1"));
        QVERIFY(f.urls.opened.isEmpty());  // no browser

        // Past the cover and the introduction, into the first room.
        QTRY_VERIFY_WITH_TIMEOUT(
            evaluate(view, "!!(window.Mrvmenu && window.Mrvmenu.published > 0)").toBool(), 20000);
        evaluate(view,
                 "for (var k = 0; k < 50 && !document.querySelector('.bar'); k++)"
                 " f_processaction(document.querySelector('#content ul.mrvmenu').id);");
        QTRY_VERIFY_WITH_TIMEOUT(page_shows(view, "buia e umida"), 5000);

        const int before = f.lines().size();
        // The author changes the room in the window's editor and saves with Ctrl+S.
        QVERIFY(f.window->open_place("rooms.qnr", 1));
        quenlo::desk::SourceEditor* rooms = f.window->desk().current_editor();
        QVERIFY(rooms);
        const int at = rooms->text().indexOf("buia e umida");
        QVERIFY(at >= 0);
        rooms->setText(rooms->text().replace(at, 12, "buia e Zanzibarquenlo"));
        rooms->setFocus();
        QTest::keyClick(rooms, Qt::Key_S, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(page_shows(view, "buia e Zanzibarquenlo"), 10000);
        QVERIFY(page_shows(view, "odora di sale"));  // the room, not the cover

        // The save the window built at once starts no second build.
        QTest::qWait(600);
        const QStringList rebuild = f.lines().mid(before);
        QCOMPARE(rebuild.value(0), QString());
        QCOMPARE(rebuild.filter("Adventure generated successfully!").size(), 1);
    }

    void theWindowKeepsItsPanesAndFitsASmallScreen() {
        WindowFixture f;
        f.trigger("Game1");
        auto* pane = f.window->findChild<QDockWidget*>("dockGame");
        QVERIFY(pane && pane->isVisible());
        // 1366 by 768 at 125 %, less the frame and a panel.
        QVERIFY(f.window->minimumSizeHint().width() <= 1093);
        QVERIFY(f.window->minimumSizeHint().height() <= 614);
        // Within the offscreen screen, which restoring keeps a window on.
        f.window->resize(780, 560);
        f.window->resizeDocks({pane}, {400}, Qt::Horizontal);
        QTRY_COMPARE(pane->width(), 400);
        QVERIFY(f.window->close());

        f.open_window();
        pane = f.window->findChild<QDockWidget*>("dockGame");
        QVERIFY(pane->isVisible());
        QVERIFY(f.action("Game1")->isChecked());
        QCOMPARE(f.window->size(), QSize(780, 560));
        QTRY_COMPARE(pane->width(), 400);
    }
};

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    GameTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "frmmain_game_test.moc"
#else
// Without Qt WebEngine the window has no game pane: the test is skipped.
int main() {
    std::puts("Qt WebEngine was not configured: no game pane to test");
    return 77;
}
#endif
