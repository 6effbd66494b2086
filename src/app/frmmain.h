#pragma once
// The main window (`TfrmMain`): the build log, the menus of every command and
// the state they share. Commands run on the user-interface thread; a build
// keeps the window alive by letting it process events through the event pump,
// which is what makes the stop button work.

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/desktop.h"
#include "app/event_pump.h"
#include "app/log_view.h"
#include "app/recent_projects.h"
#include "foundation/build_log.h"
#include "foundation/workspace.h"
#include "generator/pipeline.h"
#include "mapeditor/map_editor_seam.h"
#include "project/project_host.h"

class QAction;
class QDockWidget;
class QMenu;
class QSplitter;
class QProgressBar;
class QToolButton;

namespace quenlo {
class Dialogs;
}

namespace quenlo::desk {
class Desk;
}

namespace quenlo::app {

class GamePane;
class ModalRunner;
class PlaySession;
class StoryMapPanel;
class ReferenceWindow;

class TfrmMain : public QMainWindow, public BuildUi, public ProjectView {
    Q_OBJECT
public:
    // `program_folder` is where "base.qn" is looked for and, in a portable
    // install, where new projects go. Every message, question and modal dialog
    // goes through `dialogs` and `modal`, every page, file and folder opened
    // and every setting kept through `desktop`. Events run at most every
    // `event_interval` while a command works.
    TfrmMain(Dialogs& dialogs, ModalRunner& modal, Desktop desktop, std::string program_folder,
             std::chrono::milliseconds event_interval = std::chrono::milliseconds(20),
             QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Once the window is shown: sets `folder` as "Set project" does, or without
    // one the last project again when it still passes the check.
    void open_first_project(const std::optional<std::string>& folder);

    void set_map_editor_factory(MapEditorFactory factory) { map_editors_ = std::move(factory); }

    // The window saved a source file of the project itself: the game being
    // played (in the pane or the browser) is built again now.
    void project_saved();

    const Workspace& workspace() const { return workspace_; }
    // The editor of the project's files, where other views open a place.
    desk::Desk& desk() const { return *desk_; }
    // Opens a project file in the editor at a line (from 1); false when it is
    // no file of the project.
    bool open_place(const std::string& file, int line, int column = 1);
    // Where new projects are made and the folder chooser starts.
    std::string projects_folder() const;
    // Where the folder chooser of "Set project" opens.
    std::string set_project_start() const;

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
    QAction* add_command(QMenu* menu, const char* caption, const char* name,
                         const QKeySequence& keys = {});
    void place_log_buttons();
    void open_log_link(const QUrl& url, const QString& line);
    void show_title();
    void fill_recent_menu();
    void project_changed(bool project_set);
    bool project_commands_enabled() const;

    // Runs one command, reporting any error it does not handle itself. A
    // command started while another one lets events run is ignored.
    template <typename Command>
    void run_command(Command&& command);

    void Newproject1Click();
    void Loadproject1Click();
    void set_recent_project(std::string folder);
    void generate(bool release);
    bool build(bool release);
    void Playinbrowser1Click();
    void start_play_session();
    void Game1Click(bool shown);
    bool game_shown() const;
    void rebuild_after_save();
    void Openprojectfolder1Click();
    void open_map_editor(int map_number);
    void Checkparentheses1Click();
    void Exploregame1Click();
    void Replaywalkthroughs1Click();
    void Authoringreference1Click();
    void About1Click();
    void btnStopClick();
    void Storymap1Click();
    // A room clicked on the story map: its header in the editor.
    void open_room(const QString& file, int line);
    void restore_layout();
    void save_layout();

    Workspace workspace_;
    Dialogs& dialogs_;
    ModalRunner& modal_;
    Desktop desktop_;
    RecentProjects recent_;
    EventPump events_;
    LogView* relog_ = nullptr;
    LogViewSink sink_;
    BuildLog log_;
    ProjectHost host_;
    MapEditorFactory map_editors_;
    bool command_running_ = false;
    std::unique_ptr<PlaySession> play_;
    bool rebuilding_after_save_ = false;
    QPointer<ReferenceWindow> reference_;
    GamePane* game_ = nullptr;  // none without a web view
    desk::Desk* desk_ = nullptr;
    QWidget* log_pane_ = nullptr;
    std::string title_;  // the project's part of the title

    QMenu* File1_ = nullptr;
    QMenu* Edit1_ = nullptr;
    QMenu* Project1_ = nullptr;
    QMenu* Tools1_ = nullptr;
    QMenu* View1_ = nullptr;
    QMenu* Help1_ = nullptr;
    QDockWidget* story_map_dock_ = nullptr;
    StoryMapPanel* story_map_ = nullptr;
    QAction* Newproject1_ = nullptr;
    QAction* Loadproject1_ = nullptr;
    QMenu* Recentprojects1_ = nullptr;
    QToolButton* btndellog_ = nullptr;
    QToolButton* btnStop_ = nullptr;
    QProgressBar* progress_ = nullptr;  // of an exploration, against its time
};

}  // namespace quenlo::app
