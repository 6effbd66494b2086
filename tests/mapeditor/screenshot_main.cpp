// Takes a picture of the map editor for people to look at: the example map
// picture with four areas painted over its rooms, their connection points,
// three connections and one whose second area is not on this map, so the
// "???" shows ("map_editor.png"), and the same editor on a 1366 x 768 screen
// at 125 %, about 1093 x 614 pixels ("map_editor_small.png"). Runs under
// a real X server (Xvfb), so fonts and style are drawn as on a desktop.
//
// Usage: quenlo_map_editor_screenshot OUTPUT_FOLDER

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/application.h"
#include "editor_fixture.h"

namespace {

// Paints `area` over the cells from (x1, y1) to (x2, y2) with one drag per row.
void paint_block(const quenlo::test::EditorFixture& f, int area, int x1, int y1, int x2, int y2) {
    f.cbo()->setCurrentIndex(area);
    for (int y = y1; y <= y2; ++y)
        f.drag(Qt::LeftButton, {quenlo::test::centre(x1, y), quenlo::test::centre(x2, y)});
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quenlo_map_editor_screenshot OUTPUT_FOLDER\n");
        return 2;
    }
    quenlo::app::set_up_application();
    const QDir output(QString::fromLocal8Bit(argv[1]));
    if (!output.mkpath(".")) return 1;

    quenlo::test::EditorFixture f;
    f.write(
        "rooms.qnr",
        "{*1}\r\n_rIngresso_\r\nL'ingresso.\r\n{2}\r\n_rSalone_\r\nIl salone.\r\n"
        "{3}\r\n_rCucina_\r\nLa cucina.\r\n{#12}\r\n_rGiardino_|_vStagione_\r\nIl giardino.\r\n");
    f.open_and_show();

    // The four rooms of the example picture, and the corridor from the
    // first room down to the third as part of the third.
    paint_block(f, 1, 4, 5, 10, 10);
    paint_block(f, 2, 16, 5, 24, 11);
    paint_block(f, 3, 4, 17, 11, 24);
    paint_block(f, 3, 7, 12, 7, 16);
    paint_block(f, 12, 17, 18, 25, 28);
    // A second click on a painted cell makes it its area's connection point.
    f.paint(1, 7, 8);
    f.paint(2, 20, 8);
    f.paint(3, 8, 21);
    f.paint(12, 21, 23);
    f.memconn()->setPlainText("1,2\n1,3\n3,12\n12,40");
    f.mouse(QEvent::MouseMove, quenlo::test::centre(21, 23), Qt::NoButton, Qt::NoButton);
    f.cbo()->setCurrentIndex(12);

    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();

    for (const auto& [name, size] : {std::pair{"map_editor.png", f.editor->size()},
                                     std::pair{"map_editor_small.png", QSize(1077, 574)}}) {
        f.editor->resize(size);
        QCoreApplication::sendPostedEvents();
        const QString path = output.filePath(QString::fromUtf8(name));
        if (!f.editor->grab().save(path, "PNG")) {
            std::fprintf(stderr, "cannot save %s\n", qPrintable(path));
            return 1;
        }
        std::printf("saved %s (window title \"%s\")\n", qPrintable(path),
                    qPrintable(f.editor->windowTitle()));
    }
    return 0;
}
