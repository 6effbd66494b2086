#pragma once
// The main window (`TfrmMain`): the build log, the menus of every command and
// the state they share. Commands run on the user-interface thread; a build
// keeps the window alive by letting it process events through the event pump,
// which is what makes the stop button work.

#include <QMainWindow>
#include <chrono>
#include <string>

#include "app/event_pump.h"
#include "app/log_view.h"
#include "mapeditor/map_editor_seam.h"
#include "foundation/build_log.h"
#include "generator/pipeline.h"
#include "foundation/workspace.h"
#include "project/project_host.h"

class QAction;
class QMenu;
class QToolButton;

namespace quenlo {
class Dialogs;
}

namespace quenlo::app {

class ModalRunner;

class TfrmMain : public QMainWindow, public BuildUi, public ProjectView {
    Q_OBJECT
public:
    // `program_folder` is where "base.qn" is looked for and, when it can be
    // written, where new projects go. Every message, question and modal dialog
    // goes through `dialogs` and `modal`. Events run at most every
    // `event_interval` while a command works.
    TfrmMain(Dialogs& dialogs, ModalRunner& modal, std::string program_folder,
             std::chrono::milliseconds event_interval = std::chrono::milliseconds(20),
             QWidget* parent = nullptr);

    void set_map_editor_factory(MapEditorFactory factory) { map_editors_ = std::move(factory); }

    const Workspace& workspace() const { return workspace_; }
    // Where new projects are made and the folder chooser starts.
    std::string projects_folder() const;

    // BuildUi
    void show_error(std::string_view text) override;
    void set_building(bool running) override;
    // ProjectView
    void set_title(std::string_view title) override;
    void set_project_menus(bool project_set) override;

protected:
    void closeEvent(QCloseEvent* event) override;  // FormCloseQuery
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void create_menus();
    void create_log_pane();
    QAction* add_command(QMenu* menu, const char* caption, const char* name);
    void place_log_buttons();

    // Runs one command, reporting any error it does not handle itself. A
    // command started while another one lets events run is ignored.
    template <typename Command>
    void run_command(Command&& command);

    void Newproject1Click();
    void Loadproject1Click();
    void generate(bool release);
    void open_map_editor(int map_number);
    void Checkparentheses1Click();
    void About1Click();
    void btnStopClick();

    Workspace workspace_;
    Dialogs& dialogs_;
    ModalRunner& modal_;
    EventPump events_;
    LogView* relog_ = nullptr;
    LogViewSink sink_;
    BuildLog log_;
    ProjectHost host_;
    MapEditorFactory map_editors_;
    bool command_running_ = false;

    QMenu* File1_ = nullptr;
    QMenu* Project1_ = nullptr;
    QMenu* Tools1_ = nullptr;
    QMenu* Help1_ = nullptr;
    QAction* Newproject1_ = nullptr;
    QAction* Loadproject1_ = nullptr;
    QToolButton* btndellog_ = nullptr;
    QToolButton* btnStop_ = nullptr;
};

}  // namespace quenlo::app
