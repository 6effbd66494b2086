#include "app/frmmain.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QFile>
#include <QMenuBar>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <exception>
#include <filesystem>

#include "app/about_box.h"
#ifdef QUENLO_WITH_GAME_PANE
#include "app/game_pane.h"
#endif
#include "app/import_picture_dialog.h"
#include "app/modal_runner.h"
#include "app/play_session.h"
#include "app/reference_window.h"
#include "app/story_map_panel.h"
#include "app/welcome.h"
#include "desk/desk.h"
#include "explore/explore_session.h"
#include "project/bracket_check.h"
#include "project/dialogs.h"
#include "project/new_project.h"
#include "project/new_project_files.h"
#include "project/program_base.h"
#include "project/projects_folder.h"
#include "project/set_project.h"

namespace quenlo::app {

namespace {

constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);
constexpr int client_width = 784;
constexpr int client_height = 474;

std::string with_separator(std::string folder) {
    if (folder.empty() || folder.back() != separator) folder += separator;
    return folder;
}

QString from_bytes(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

TfrmMain::TfrmMain(Dialogs& dialogs, ModalRunner& modal, Desktop desktop,
                   std::string program_folder, std::chrono::milliseconds event_interval,
                   QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      modal_(modal),
      desktop_(std::move(desktop)),
      recent_(desktop_.settings),
      events_(event_interval),
      relog_(new LogView(this)),
      sink_(*relog_),
      log_(sink_, events_),
      host_{workspace_, log_, dialogs_, *this} {
    setObjectName("frmMain");
    workspace_.program_folder = with_separator(std::move(program_folder));
    create_log_pane();
#ifdef QUENLO_WITH_GAME_PANE
    game_ = new GamePane(this);
    addDockWidget(Qt::RightDockWidgetArea, game_);
    game_->hide();
#endif
    create_menus();
    FormCreate();

    resize(client_width, client_height + menuBar()->sizeHint().height());
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    restore_layout();
}

namespace {

const QString layout_geometry = QStringLiteral("window/geometry");
const QString layout_panes = QStringLiteral("window/state");

}  // namespace

// Where the window was and which panes it showed, at what sizes, when it
// last closed.
void TfrmMain::restore_layout() {
    const QSettings& settings = desktop_.settings;
    if (settings.contains(layout_geometry))
        restoreGeometry(settings.value(layout_geometry).toByteArray());
    if (settings.contains(layout_panes)) restoreState(settings.value(layout_panes).toByteArray());
}

void TfrmMain::save_layout() {
    desktop_.settings.setValue(layout_geometry, saveGeometry());
    desktop_.settings.setValue(layout_panes, saveState());
}

TfrmMain::~TfrmMain() = default;

// Start-up: the greeting, a "base.qn" beside the program, and no project.
void TfrmMain::FormCreate() {
    set_title(window_title(""));
    log_.clear_log();
    for (const std::string& line : welcome_lines()) log_.log_line(line);
    load_program_base(workspace_, log_);
    set_project_menus(false);
    workspace_.project_folder.clear();
}

void TfrmMain::create_log_pane() {
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName("splDesk");
    desk_ = new desk::Desk(dialogs_, workspace_.program_folder, split);
    auto* pane = new QWidget(split);
    pane->setObjectName("pnlLog");
    log_pane_ = pane;
    relog_->setParent(pane);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    split->setSizes({3000, 1000});  // in proportion: three quarters for the editor
    pane->setMinimumHeight(80);
    setCentralWidget(split);
    pane->installEventFilter(this);
    connect(desk_, &desk::Desk::title_changed, this, [this] { show_title(); });
    connect(desk_, &desk::Desk::saved, this, [this] { project_saved(); });

    btndellog_ = new QToolButton(pane);
    btndellog_->setObjectName("btndellog");
    btndellog_->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    btndellog_->setToolTip(QStringLiteral("Clear log"));
    connect(btndellog_, &QToolButton::clicked, this, [this] { log_.clear_log(); });
    connect(relog_, &LogView::link_activated, this,
            [this](const QUrl& url, const QString& line) { open_log_link(url, line); });

    btnStop_ = new QToolButton(pane);
    btnStop_->setObjectName("btnStop");
    btnStop_->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));
    btnStop_->setToolTip(QStringLiteral("Stop (Esc)"));
    btnStop_->setShortcut(QKeySequence(Qt::Key_Escape));
    btnStop_->installEventFilter(this);  // Esc stops at once, without the click's animation
    btnStop_->hide();
    connect(btnStop_, &QToolButton::clicked, this, [this] { btnStopClick(); });

    progress_ = new QProgressBar(this);
    progress_->setObjectName("pbExplore");
    progress_->setRange(0, 1000);
    progress_->hide();
    statusBar()->addPermanentWidget(progress_);
    statusBar()->hide();
}

QAction* TfrmMain::add_command(QMenu* menu, const char* caption, const char* name,
                               const QKeySequence& keys) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(name));
    action->setShortcut(keys);
    return action;
}

// Each caption carries its mnemonic as an "&" before the letter.
void TfrmMain::create_menus() {
    File1_ = menuBar()->addMenu(QStringLiteral("&File"));
    File1_->setObjectName("File1");
    Newproject1_ = add_command(File1_, "&New project", "Newproject1", QKeySequence::New);
    File1_->addSeparator();
    Loadproject1_ = add_command(File1_, "&Set project", "Loadproject1", QKeySequence::Open);
    Recentprojects1_ = File1_->addMenu(QStringLiteral("&Recent projects"));
    Recentprojects1_->setObjectName("Recentprojects1");
    Recentprojects1_->setEnabled(!recent_.folders().empty());
    connect(Recentprojects1_, &QMenu::aboutToShow, this, [this] { fill_recent_menu(); });
    File1_->addSeparator();
    QAction* exit = add_command(File1_, "E&xit", "Exit1", QKeySequence(Qt::CTRL | Qt::Key_Q));

    Edit1_ = menuBar()->addMenu(QStringLiteral("&Edit"));
    Edit1_->setObjectName("Edit1");
    desk_->add_commands(Edit1_);

    Project1_ = menuBar()->addMenu(QStringLiteral("&Project"));
    Project1_->setObjectName("Project1");
    QAction* debug =
        add_command(Project1_, "Generate HTML &debug file", "Generate1", QKeySequence(Qt::Key_F9));
    QAction* release =
        add_command(Project1_, "Generate HTML debug and &release files",
                    "GenerateHTMLdebugandreleasefiles1", QKeySequence(Qt::SHIFT | Qt::Key_F9));
    QAction* play =
        add_command(Project1_, "&Play in browser", "Playinbrowser1", QKeySequence(Qt::Key_F5));
    Project1_->addSeparator();
    QAction* skip_unknown = add_command(Project1_, "Skip &unknown objects/rooms/variables check",
                                        "Skipunknownobjectsroomsvariablescheck1");
    QAction* skip_characters =
        add_command(Project1_, "Skip file &characters check", "Skipfilecharacterscheck1");
    QAction* skip_images = add_command(Project1_, "Skip &images merging", "Skipimagesmerging1");
    Switches& switches = workspace_.switches;
    for (const auto& [action, flag] : {std::pair{skip_unknown, &switches.skip_unknown_check},
                                       std::pair{skip_characters, &switches.skip_characters_check},
                                       std::pair{skip_images, &switches.skip_images_merging}}) {
        action->setCheckable(true);
        action->setChecked(*flag);
        // clang before 16 cannot capture a structured binding.
        bool* const target = flag;
        connect(action, &QAction::toggled, this, [target](bool checked) { *target = checked; });
    }
    skip_images->setVisible(false);  // the switch stays off
    Project1_->addSeparator();
    QAction* open_folder = add_command(Project1_, "&Open project folder", "Openprojectfolder1");

    Tools1_ = menuBar()->addMenu(QStringLiteral("&Tools"));
    Tools1_->setObjectName("Tools1");
    QAction* maps[] = {add_command(Tools1_, "Map &1 editor", "Mapeditor1"),
                       add_command(Tools1_, "Map &2 editor", "Mapeditor2"),
                       add_command(Tools1_, "Map &3 editor", "Mapeditor3")};
    QAction* import = add_command(Tools1_, "&Import picture...", "Importpicture1");
    Tools1_->addSeparator();
    QAction* brackets = add_command(Tools1_, "Check &parentheses", "Checkparentheses1");
    Tools1_->addSeparator();
    QAction* explore = add_command(Tools1_, "&Explore game", "Exploregame1");
    QAction* replay = add_command(Tools1_, "&Replay walkthroughs", "Replaywalkthroughs1");

    View1_ = menuBar()->addMenu(QStringLiteral("&View"));
    View1_->setObjectName("View1");
    QAction* story_map = add_command(View1_, "&Story map", "Storymap1");
#ifdef QUENLO_WITH_GAME_PANE
    QAction* game = add_command(View1_, "&Game", "Game1");
    game->setCheckable(true);
    connect(game, &QAction::triggered, this, [this](bool shown) { Game1Click(shown); });
    connect(game_, &QDockWidget::visibilityChanged, game,
            [this, game] { game->setChecked(!game_->isHidden()); });
#endif

    Help1_ = menuBar()->addMenu(QStringLiteral("&Help"));
    Help1_->setObjectName("Help1");
    QAction* reference = add_command(Help1_, "Authoring &reference", "Authoringreference1",
                                     QKeySequence(Qt::Key_F1));
    Help1_->addSeparator();
    QAction* about = add_command(Help1_, "&About...", "About1");

    connect(Newproject1_, &QAction::triggered, this, [this] { Newproject1Click(); });
    connect(Loadproject1_, &QAction::triggered, this, [this] { Loadproject1Click(); });
    connect(exit, &QAction::triggered, this, &QWidget::close);
    connect(debug, &QAction::triggered, this, [this] { generate(false); });
    connect(release, &QAction::triggered, this, [this] { generate(true); });
    connect(play, &QAction::triggered, this, [this] { Playinbrowser1Click(); });
    connect(open_folder, &QAction::triggered, this, [this] { Openprojectfolder1Click(); });
    for (int n = 1; n <= 3; ++n)
        connect(maps[n - 1], &QAction::triggered, this, [this, n] { open_map_editor(n); });
    connect(import, &QAction::triggered, this, [this] {
        run_command(
            [this] { import_picture_command(this, modal_, workspace_.project_folder, log_); });
    });
    connect(brackets, &QAction::triggered, this, [this] { Checkparentheses1Click(); });
    connect(explore, &QAction::triggered, this, [this] { Exploregame1Click(); });
    connect(replay, &QAction::triggered, this, [this] { Replaywalkthroughs1Click(); });
    connect(story_map, &QAction::triggered, this, [this] { Storymap1Click(); });
    connect(reference, &QAction::triggered, this, [this] { Authoringreference1Click(); });
    connect(about, &QAction::triggered, this, [this] { About1Click(); });
}

// The last projects, most recent first, numbered as their mnemonics. Filled
// as the menu opens, never while one of its items runs.
void TfrmMain::fill_recent_menu() {
    Recentprojects1_->clear();
    int number = 0;
    for (const std::string& folder : recent_.folders()) {
        ++number;
        QAction* item = Recentprojects1_->addAction(QStringLiteral("&%1 %2").arg(number).arg(
            from_bytes(folder).replace(QLatin1Char('&'), QStringLiteral("&&"))));
        item->setObjectName(QStringLiteral("Recentproject%1").arg(number));
        connect(item, &QAction::triggered, this, [this, folder] { set_recent_project(folder); });
    }
}

std::string TfrmMain::projects_folder() const {
    return quenlo::projects_folder(workspace_.program_folder, desktop_.home_folder);
}

// The last project's parent, where its neighbours are, else the projects folder.
std::string TfrmMain::set_project_start() const {
    const std::vector<std::string> recent = recent_.folders();
    if (!recent.empty()) {
        const std::filesystem::path parent = std::filesystem::path(recent.front()).parent_path();
        if (std::filesystem::is_directory(parent)) return with_separator(parent.string());
    }
    return projects_folder();
}

void TfrmMain::open_first_project(const std::optional<std::string>& folder) {
    if (folder) {
        run_command([this, &folder] { set_project(host_, *folder); });
        return;
    }
    const std::vector<std::string> recent = recent_.folders();
    if (!recent.empty() && is_project_folder(recent.front()))
        run_command([this, &recent] { set_project(host_, recent.front()); });
}

template <typename Command>
void TfrmMain::run_command(Command&& command) {
    if (command_running_) return;
    struct Running {
        bool& flag;
        explicit Running(bool& flag) : flag(flag) { flag = true; }
        ~Running() { flag = false; }
    } running(command_running_);
    try {
        command();
    } catch (const std::exception& error) {
        dialogs_.show_message(MessageKind::error, error.what());
    }
}

void TfrmMain::Newproject1Click() {
    run_command([this] { new_project(host_, projects_folder()); });
}

void TfrmMain::Loadproject1Click() {
    run_command([this] { choose_and_set_project(host_, set_project_start()); });
}

void TfrmMain::set_recent_project(std::string folder) {
    run_command([this, &folder] { set_project(host_, folder); });
}

// A key stands for its menu item, so it does nothing while the menu is disabled.
bool TfrmMain::project_commands_enabled() const {
    return Project1_->menuAction()->isEnabled();
}

void TfrmMain::generate(bool release) {
    if (!project_commands_enabled()) return;
    run_command([this, release] { build(release); });
}

// Every build, whatever started it, brings a page being played up to date;
// with the game pane open, it plays the page the build wrote.
bool TfrmMain::build(bool release) {
    if (game_shown() && !play_) start_play_session();
    if (play_) play_->build_starting();
    const BuildResult result = quenlo::generate(workspace_, log_, *this, release);
    if (play_) {
        play_->build_finished(result);
#ifdef QUENLO_WITH_GAME_PANE
        if (game_shown() && result.succeeded) game_->show_page(play_->page_url());
#endif
    }
    if (story_map_) story_map_->refresh_soon();
    return result.succeeded;
}

void TfrmMain::start_play_session() {
    play_ = std::make_unique<PlaySession>(workspace_.project_folder);
    connect(play_.get(), &PlaySession::source_saved, this, [this] { rebuild_after_save(); });
    connect(play_.get(), &PlaySession::script_error, this, [this](const QStringList& lines) {
        for (const QString& line : lines) log_.log_line(line.toStdString());
    });
}

void TfrmMain::Playinbrowser1Click() {
    if (!project_commands_enabled()) return;
    run_command([this] {
        if (!play_) start_play_session();
        if (build(false)) desktop_.urls.open_url(play_->page_url());
    });
}

void TfrmMain::project_saved() {
    if (play_) play_->project_saved();
}

bool TfrmMain::game_shown() const {
#ifdef QUENLO_WITH_GAME_PANE
    return !game_->isHidden();
#else
    return false;
#endif
}

// Shown the first time, the pane takes half the window. With a project it
// plays the page of the last build, building one when there is none.
void TfrmMain::Game1Click(bool shown) {
#ifdef QUENLO_WITH_GAME_PANE
    if (!shown) {
        game_->hide();
        return;
    }
    const bool first = game_->isHidden() && !desktop_.settings.contains(layout_panes);
    game_->show();
    if (first) resizeDocks({game_}, {width() / 2}, Qt::Horizontal);
    game_->raise();
    if (!project_commands_enabled()) return;
    run_command([this] {
        if (!play_) start_play_session();
        if (play_->page_url().isEmpty())
            build(false);
        else
            game_->show_page(play_->page_url());
    });
#else
    (void)shown;
#endif
}

// A save in an editor while the game is played builds the debug page again:
// an empty line, then the build's whole log. A command running now goes first.
// The page shows a failure itself, so it opens no error dialog.
void TfrmMain::rebuild_after_save() {
    if (!play_) return;
    if (command_running_) {
        QTimer::singleShot(std::chrono::milliseconds(150), this, [this] { rebuild_after_save(); });
        return;
    }
    run_command([this] {
        rebuilding_after_save_ = true;
        log_.log_line("");
        build(false);
        rebuilding_after_save_ = false;
    });
}

void TfrmMain::Openprojectfolder1Click() {
    if (!project_commands_enabled()) return;
    desktop_.urls.open_url(QUrl::fromLocalFile(from_bytes(workspace_.project_folder)));
}

void TfrmMain::open_map_editor(int map_number) {
    run_command([this, map_number] {
        if (!map_editors_) {
            dialogs_.show_message(MessageKind::warning, "The map editor is not available.");
            return;
        }
        // Discarded on every path, also when loading fails or raises an error.
        const std::unique_ptr<MapEditorDialog> editor = map_editors_(this, dialogs_);
        if (!editor->load(workspace_.project_folder + separator, map_number)) return;
        modal_.exec_modal(editor->dialog());
    });
}

void TfrmMain::Checkparentheses1Click() {
    run_command([this] { check_parentheses(workspace_.project_folder, log_); });
}

namespace {

// The report's lines in the log, a location line as a link to its file.
void log_report(BuildLog& log, const SessionReport& report) {
    for (const BlockLine& line : report.lines) {
        if (line.file.empty())
            log.log_line(line.text);
        else
            log.log_link(line.text, line.file);
    }
}

}  // namespace

// The game played in a headless browser for a minute at most: the bar shows
// the time used, the stop button ends the search and keeps its findings.
void TfrmMain::Exploregame1Click() {
    run_command([this] {
        workspace_.stop = false;
        set_building(true);
        statusBar()->show();
        progress_->setValue(0);
        progress_->show();
        log_.log_line("");
        log_.log_line("Exploring the game...");
        ExploreLimits limits;
        const auto started = std::chrono::steady_clock::now();
        limits.stopped = [this, started, &limits] {
            const auto used = std::chrono::steady_clock::now() - started;
            progress_->setValue(static_cast<int>(1000 * used / limits.time));
            events_.process_events();
            return workspace_.stop.load();
        };
        const SessionReport report =
            explore_project(workspace_.project_folder, workspace_.program_folder, limits);
        progress_->hide();
        statusBar()->hide();
        set_building(false);
        workspace_.stop = false;
        log_report(log_, report);
    });
}

void TfrmMain::Replaywalkthroughs1Click() {
    run_command([this] {
        set_building(true);
        events_.process_events();
        log_.log_line("");
        log_.log_line("Replaying the walkthroughs...");
        const SessionReport report =
            replay_project(workspace_.project_folder, workspace_.program_folder);
        set_building(false);
        log_report(log_, report);
    });
}

// A window of its own, beside the main window, that stays open while the
// author writes; asked for again, it comes to the front.
void TfrmMain::Authoringreference1Click() {
    run_command([this] {
        if (!reference_) {
            const std::string text = section_file_text(workspace_.reDefault, "#REFERENCE");
            reference_ = new ReferenceWindow(
                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                    .replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                this);
        }
        reference_->show();
        reference_->raise();
        reference_->activateWindow();
    });
}

void TfrmMain::About1Click() {
    run_command([this] {
        TAboutBox box(this);
        modal_.exec_modal(box);
    });
}

// Wide enough for a map of a few rooms side by side beside the log.
constexpr int story_map_width = 380;

// The map of the project's rooms in a dock beside the log, made the first
// time it is asked for; it follows the project from then on.
void TfrmMain::Storymap1Click() {
    if (!story_map_dock_) {
        story_map_dock_ = new QDockWidget(QStringLiteral("Story map"), this);
        story_map_dock_->setObjectName("StoryMapDock");
        story_map_ = new StoryMapPanel(story_map_dock_);
        story_map_dock_->setWidget(story_map_);
        addDockWidget(Qt::RightDockWidgetArea, story_map_dock_);
        resizeDocks({story_map_dock_}, {story_map_width}, Qt::Horizontal);
        connect(story_map_, &StoryMapPanel::room_clicked, this, &TfrmMain::open_room);
        story_map_->set_project(workspace_.project_folder);
    }
    story_map_dock_->show();
    story_map_dock_->raise();
}

// A room clicked on the story map opens at its header in the editor.
void TfrmMain::open_room(const QString& file, int line) {
    if (!open_place(QFile::encodeName(file).toStdString(), line))
        desktop_.urls.open_url(QUrl::fromLocalFile(file));
}

// Only raises the flag; the build notices it at its next poll.
void TfrmMain::btnStopClick() {
    workspace_.stop = true;
}

void TfrmMain::show_error(std::string_view text) {
    if (rebuilding_after_save_) return;
    dialogs_.show_message(MessageKind::error, text);
}

void TfrmMain::set_building(bool running) {
    for (QMenu* menu : {File1_, Edit1_, Project1_, Tools1_, Help1_})
        menu->menuAction()->setEnabled(!running);
    relog_->setEnabled(!running);
    desk_->setEnabled(!running);  // the build reads the files as they are on disk
    btndellog_->setEnabled(!running);
    btnStop_->setVisible(running);
}

void TfrmMain::set_title(std::string_view title) {
    title_ = std::string(title);
    show_title();
}

// The open file, with an asterisk while it is unsaved, before the project.
void TfrmMain::show_title() {
    setWindowTitle(desk_->title_prefix() +
                   QString::fromUtf8(title_.data(), static_cast<qsizetype>(title_.size())));
}

bool TfrmMain::open_place(const std::string& file, int line, int column) {
    return desk_->open_place(file, static_cast<std::size_t>(std::max(line, 1) - 1),
                             static_cast<std::size_t>(std::max(column, 1) - 1));
}

// A link to a project file opens it in the editor, at the line and column
// its log line names; any other opens as the desktop opens it.
void TfrmMain::open_log_link(const QUrl& url, const QString& line) {
    if (url.isLocalFile()) {
        const QString path = url.toLocalFile();
        int at_line = 1, at_column = 1;
        if (line.startsWith(path)) {
            static const QRegularExpression place(QStringLiteral("^:(\\d+)(?::(\\d+))?"));
            const auto match = place.match(line.mid(path.size()));
            if (match.hasMatch()) {
                at_line = match.captured(1).toInt();
                at_column = match.captured(2).isEmpty() ? 1 : match.captured(2).toInt();
            }
        }
        if (open_place(QFile::encodeName(path).toStdString(), at_line, at_column)) return;
    }
    desktop_.urls.open_url(url);
}

void TfrmMain::set_project_menus(bool project_set) {
    Project1_->menuAction()->setEnabled(project_set);
    Tools1_->menuAction()->setEnabled(project_set);
    Newproject1_->setEnabled(true);
    Loadproject1_->setEnabled(true);
    project_changed(project_set);
}

// Set project clears the project before it sets one, so the game being played
// ends with its project; a project set goes first in the recent projects.
void TfrmMain::project_changed(bool project_set) {
    if (play_ && (!project_set || play_->project_folder() != workspace_.project_folder)) {
        play_.reset();
#ifdef QUENLO_WITH_GAME_PANE
        game_->clear();
#endif
    }
    if (story_map_)
        story_map_->set_project(project_set ? workspace_.project_folder : std::string());
    desk_->set_project(project_set ? workspace_.project_folder : std::string());
    if (!project_set) return;
    recent_.add(workspace_.project_folder);
    Recentprojects1_->setEnabled(true);
}

// The window closes only while no build runs; a refusal says nothing.
void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!btnStop_->isHidden()) {
        event->ignore();
        return;
    }
    if (!desk_->close_all_tabs()) {
        event->ignore();
        return;
    }
    save_layout();
    play_.reset();
    event->accept();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == log_pane_ && event->type() == QEvent::Resize) place_log_buttons();
    if (watched == btnStop_ && event->type() == QEvent::Shortcut) {
        // A button's shortcut clicks it a tenth of a second later, when a
        // short build may be over; the stop flag is set now.
        btnStopClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// The clear-log button sits at the top right of the log, left of its scroll
// bar, and the stop button under it.
void TfrmMain::place_log_buttons() {
    QWidget* pane = log_pane_;
    relog_->setGeometry(pane->rect());
    const int size = 26;
    const int right = relog_->width() - relog_->verticalScrollBar()->sizeHint().width() - 6;
    btndellog_->setGeometry(right - size, 4, size, size);
    btnStop_->setGeometry(right - size, 4 + size + 4, size, size);
    btndellog_->raise();
    btnStop_->raise();
}

}  // namespace quenlo::app
