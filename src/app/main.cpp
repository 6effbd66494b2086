// quenlo: the desktop application.

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <exception>

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

}  // namespace

int main(int argc, char** argv) {
    QuenloApplication application(argc, argv);
    quenlo::app::set_up_application();

    quenlo::app::QtDialogs dialogs;
    const std::string program_folder =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    quenlo::app::TfrmMain window(dialogs, dialogs, program_folder);
    dialogs.set_parent(&window);
    window.set_map_editor_factory(quenlo::mapeditor::map_editor_factory());
    window.show();
    return application.exec();
}
