#pragma once
// The writing desk: the project panel beside tabs of the project's files in
// an editor that knows their language. The language layer answers every
// question in-process: diagnostics on a thread of their own a moment after
// typing stops and at each save, completion, definitions, references,
// renames, hover texts and quick fixes on the window's thread. Files are
// saved through the safe write.

#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "desk/diagnostics_worker.h"
#include "language/language_features.h"
#include "language/language_project.h"

class QAction;
class QFileSystemWatcher;
class QListWidget;
class QMenu;
class QSplitter;
class QTabWidget;

namespace quenlo {
class Dialogs;
}

namespace quenlo::desk {

class ProjectPanel;
class SourceEditor;

class Desk : public QWidget {
    Q_OBJECT
public:
    // Builds after a save look for "base.qn" in `program_folder`.
    Desk(Dialogs& dialogs, std::string program_folder, QWidget* parent = nullptr);
    ~Desk() override;

    // Shows the files of `folder`; an empty folder closes every tab.
    void set_project(const std::string& folder);
    const std::string& project_folder() const { return folder_; }

    // Opens `file` (a project file's name, or its full path) at a line and
    // byte of it, both from 0. False when it is no file of the project.
    bool open_place(const std::string& file, std::size_t line, std::size_t byte = 0);

    // Adds the editor's commands to `edit` (and their shortcuts to the window).
    void add_commands(QMenu* edit);

    SourceEditor* current_editor() const;
    SourceEditor* editor(const std::string& file) const;
    ProjectPanel* panel() const { return panel_; }
    QListWidget* results() const { return results_; }
    // "rooms.qnr - ", or "rooms.qnr* - " while unsaved; empty without a tab.
    QString title_prefix() const;

    bool save(SourceEditor* editor);
    bool save_all();
    // Asks about each unsaved file: saves it or lets it go. False when a
    // save failed, so the window stays.
    bool close_all_tabs();

    // The editor's commands, as their menu items run them.
    void complete();
    void go_to_definition();
    void find_references();
    void rename_name();
    void apply_quick_fix();
    void show_hover();
    // What hovering at `position` of `editor` shows.
    QString hover_text(SourceEditor* editor, long position) const;
    void find_in_file(bool replace);
    void find_in_project();
    void go_to_anything();

    // The open texts, by file name, as the language layer takes them.
    std::map<std::string, std::string> open_texts() const;
    // A reading of the project with the open texts standing for their files.
    std::unique_ptr<language::LanguageProject> reading() const;

signals:
    void title_changed();
    void diagnostics_shown();
    // Files were saved: the project on disk changed.
    void saved();

private:
    SourceEditor* open_file(const std::string& name);
    bool close_tab(int index);
    // Saves without telling `saved`.
    bool write(SourceEditor* editor);
    void text_changed(SourceEditor* editor);
    void check_now(bool build = false);
    void show_diagnostics(Diagnostics diagnostics);
    void file_changed_on_disk(const QString& path);
    void refresh_panel();
    void apply_edits(const std::vector<language::Edit>& edits);
    void show_results(const QString& title, const std::vector<language::Place>& places);
    void tab_title(SourceEditor* editor);

    Dialogs& dialogs_;
    std::string folder_;
    QSplitter* splitter_ = nullptr;
    ProjectPanel* panel_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QListWidget* results_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer pause_;
    DiagnosticsWorker worker_;
    Diagnostics diagnostics_;
    std::vector<language::Completion> offered_;
};

}  // namespace quenlo::desk
