// Takes pictures of the main window for people to look at: as it opens
// ("main_window_start.png"), while it builds a new project, debug and release
// ("main_window_building.png"), after the build ("main_window.png"), with its
// File menu and recent projects, Project and Help menus open
// ("menu_file.png", "menu_project.png", "menu_help.png"), the Edit menu
// ("menu_edit.png"), the story map in its dock with a move and a room nothing
// leads to ("story_map.png"), the editor on the rooms with a squiggle
// ("editor.png"), the authoring reference finding a word
// ("authoring_reference.png"), and, when the window has one, the game pane
// beside the log in a window of 1093 by 614, a screen of 1366 by 768 at
// 125 % ("game_pane.png"). Runs under a real X server (Xvfb), so fonts and
// style are drawn as on a desktop.
//
// Usage: quenlo_screenshot OUTPUT_FOLDER

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <fstream>

#include "app/application.h"
#include "desk/desk.h"
#include "desk/source_editor.h"
#include "window_fixture.h"

int main(int argc, char** argv) {
#ifdef QUENLO_WITH_GAME_PANE
    // The web view shares its GL context; without it no GL is started.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quenlo_screenshot OUTPUT_FOLDER\n");
        return 2;
    }
    quenlo::app::set_up_application();

    const QDir output(QString::fromLocal8Bit(argv[1]));
    if (!output.mkpath(".")) return 1;
    const auto save = [&](QWidget& window, const char* name) {
        const QString path = output.filePath(QString::fromUtf8(name));
        if (!window.grab().save(path, "PNG")) {
            std::fprintf(stderr, "cannot save %s\n", qPrintable(path));
            return false;
        }
        std::printf("saved %s (window title \"%s\")\n", qPrintable(path),
                    qPrintable(window.windowTitle()));
        return true;
    };
    // A loop of its own: quitting the application's loop would close the window.
    const auto settle = [] {
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
    };

    quenlo::test::WindowFixture fixture(std::chrono::milliseconds(20));
    settle();
    if (!save(*fixture.window, "main_window_start.png")) return 1;

    fixture.dialogs.input_answers = {"Avventura"};
    fixture.trigger("Newproject1");
    settle();
    // The first log line of the build lets events run: the window is then
    // locked, with the stop button shown.
    bool saved_while_building = false;
    fixture.at_next_events(
        [&] { saved_while_building = save(*fixture.window, "main_window_building.png"); });
    fixture.trigger("GenerateHTMLdebugandreleasefiles1");
    if (!saved_while_building) return 1;
    settle();

    const QStringList lines = fixture.lines();
    const bool built = lines.size() >= 2 &&
                       lines[lines.size() - 2].startsWith("Adventure generated successfully!  [ ");
    if (!built) {
        std::fprintf(stderr, "the build did not succeed:\n%s\n", qPrintable(lines.join('\n')));
        return 1;
    }
    if (!save(*fixture.window, "main_window.png")) return 1;

    // A menu pops up over the window, so the screen is taken around both.
    const auto save_menu = [&](const char* menu_name, const char* submenu_name, const char* name) {
        QMenu* menu = fixture.menu(menu_name);
        fixture.window->menuBar()->setActiveAction(menu->menuAction());
        settle();
        QRect area = fixture.window->frameGeometry().united(menu->geometry());
        if (submenu_name) {
            QMenu* submenu = fixture.menu(submenu_name);
            menu->setActiveAction(submenu->menuAction());
            QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
            QApplication::sendEvent(menu, &right);
            settle();
            area = area.united(submenu->geometry());
        }
        const QPixmap shot = fixture.window->screen()->grabWindow(0, area.x(), area.y(),
                                                                  area.width(), area.height());
        menu->hide();
        fixture.window->menuBar()->setActiveAction(nullptr);
        settle();
        const QString path = output.filePath(QString::fromUtf8(name));
        if (!shot.save(path, "PNG")) return false;
        std::printf("saved %s\n", qPrintable(path));
        return true;
    };
    if (!save_menu("File1", "Recentprojects1", "menu_file.png") ||
        !save_menu("Project1", nullptr, "menu_project.png") ||
        !save_menu("Help1", nullptr, "menu_help.png") ||
        !save_menu("Edit1", nullptr, "menu_edit.png"))
        return 1;

    // The story map of the new project, in its dock beside the log, with a
    // move by f_moveplayer and a room that nothing leads to added.
    {
        const std::string project = fixture.window->workspace().project_folder;
        std::ofstream rooms(project + "/rooms.qnr", std::ios::app | std::ios::binary);
        rooms << "\r\n{#5}\r\n_rPozzo_\r\nIl fondo del pozzo.\r\n"
              << "\r\n{6}\r\n_rCripta_\r\nUna cripta senza porte.\r\n";
        std::ofstream actions(project + "/actions.qna", std::ios::app | std::ios::binary);
        actions << "\r\nif (f_action(\"_lampadaFaro_\", \"tira\")) {\r\n"
                << "  f_moveplayer(\"_rPozzo_\");\r\n  return true;\r\n}\r\n";
    }
    fixture.trigger("Storymap1");
    settle();
    settle();
    if (!save(*fixture.window, "story_map.png")) return 1;
    // The editor on the rooms, with a link to an object nobody declared.
    fixture.window->resize(1100, 720);
    if (!fixture.window->open_place("rooms.qnr", 13)) return 1;
    quenlo::desk::SourceEditor* rooms = fixture.window->desk().current_editor();
    rooms->setCursorPosition(12, rooms->text(12).trimmed().size());
    rooms->insert(QStringLiteral(" Un {sasso|_sassoNascosto_}."));
    for (int i = 0; i < 4; ++i) settle();
    if (!save(*fixture.window, "editor.png")) return 1;

    fixture.trigger("Authoringreference1");
    QWidget* reference = fixture.window->findChild<QWidget*>("frmReference");
    reference->findChild<QLineEdit*>("txtFind")->setText("stanza");
    settle();
    if (!save(*reference, "authoring_reference.png")) return 1;
    reference->close();

    QAction* game = fixture.window->findChild<QAction*>("Game1");
    if (!game) return 0;
    fixture.window->resize(1093, 614);
    game->trigger();
    for (int k = 0; k < 10; ++k) settle();  // the page loads and draws
    return save(*fixture.window, "game_pane.png") ? 0 : 1;
}
