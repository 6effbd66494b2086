// Takes pictures of the main window for people to look at: as it opens
// ("main_window_start.png") and after it has made a new project and built it,
// debug and release ("main_window.png"). Runs under a real X server (Xvfb), so
// fonts and style are drawn as on a desktop.
//
// Usage: quenlo_screenshot OUTPUT_FOLDER

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/application.h"
#include "window_fixture.h"

int main(int argc, char** argv) {
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
    const auto settle = [&] {
        QTimer::singleShot(300, &application, &QApplication::quit);
        application.exec();
    };

    quenlo::test::WindowFixture fixture(std::chrono::milliseconds(20));
    settle();
    if (!save(*fixture.window, "main_window_start.png")) return 1;

    fixture.dialogs.input_answers = {"Avventura"};
    fixture.trigger("Newproject1");
    fixture.trigger("GenerateHTMLdebugandreleasefiles1");
    settle();

    const QStringList lines = fixture.lines();
    const bool built = lines.size() >= 2 &&
                       lines[lines.size() - 2].startsWith("Adventure generated successfully!  [ ");
    if (!built) {
        std::fprintf(stderr, "the build did not succeed:\n%s\n", qPrintable(lines.join('\n')));
        return 1;
    }
    return save(*fixture.window, "main_window.png") ? 0 : 1;
}
