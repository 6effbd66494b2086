// quenlo: the desktop application.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <exception>
#include <filesystem>
#include <optional>

#include "app/application.h"
#include "app/frmmain.h"
#include "app/qt_dialogs.h"
#include "mapeditor/dlgmapeditor.h"

namespace {

// An error that no command handles itself is shown in a standard error box,
// and the program goes on.
class QuenloApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            QMessageBox::critical(activeWindow(), QStringLiteral("Error"),
                                  QString::fromUtf8(error.what()));
        }
        return false;
    }
};

// The project folder given on the command line, made absolute so that the
// pages and files the log links to open from anywhere.
std::optional<std::string> project_argument(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    std::string folder = std::filesystem::absolute(argv[1]).lexically_normal().string();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

}  // namespace

int main(int argc, char** argv) {
    // The game pane's web view shares its drawing with the window.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QuenloApplication application(argc, argv);
    quenlo::app::set_up_application();

    quenlo::app::QtDialogs dialogs;
    quenlo::app::SystemUrlOpener urls;
    QSettings settings(QStringLiteral("Quenlo"), QStringLiteral("Quenlo"));
    const std::string program_folder =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    const std::string home = QFile::encodeName(QDir::homePath()).toStdString();
    quenlo::app::TfrmMain window(dialogs, dialogs, {urls, settings, home}, program_folder);
    dialogs.set_parent(&window);
    window.set_map_editor_factory(quenlo::mapeditor::map_editor_factory());
    window.show();
    window.open_first_project(project_argument(argc, argv));
    return application.exec();
}
