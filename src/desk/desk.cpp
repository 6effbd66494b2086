#include "desk/desk.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QListWidget>
#include <QMenu>
#include <QSplitter>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "desk/project_panel.h"
#include "desk/source_editor.h"
#include "foundation/project_files.h"
#include "foundation/safe_write.h"
#include "project/dialogs.h"

namespace quenlo::desk {

namespace {

constexpr int typing_pause_ms = 300;
constexpr int completion_list = 1;
constexpr int file_data = Qt::UserRole;
constexpr int line_data = Qt::UserRole + 1;
constexpr int byte_data = Qt::UserRole + 2;

QString text_of(const std::string& bytes) {
    return QString::fromStdString(bytes);
}

std::string place_line(const language::Place& place) {
    return place.file + ":" + std::to_string(place.range.line + 1);
}

}  // namespace

Desk::Desk(Dialogs& dialogs, std::string program_folder, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      worker_(std::move(program_folder), this,
              [this](Diagnostics found) { show_diagnostics(std::move(found)); }) {
    setObjectName(QStringLiteral("desk"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    splitter_ = new QSplitter(Qt::Horizontal, this);
    panel_ = new ProjectPanel(splitter_);
    auto* right = new QSplitter(Qt::Vertical, splitter_);
    tabs_ = new QTabWidget(right);
    tabs_->setObjectName(QStringLiteral("editorTabs"));
    tabs_->setTabsClosable(true);
    tabs_->setDocumentMode(true);
    results_ = new QListWidget(right);
    results_->setObjectName(QStringLiteral("results"));
    results_->hide();
    splitter_->setStretchFactor(1, 4);
    right->setStretchFactor(0, 4);
    layout->addWidget(splitter_);

    watcher_ = new QFileSystemWatcher(this);
    pause_.setSingleShot(true);
    pause_.setInterval(typing_pause_ms);
    connect(&pause_, &QTimer::timeout, this, [this] { check_now(); });
    connect(panel_, &ProjectPanel::place_chosen, this, [this](const std::string& file, int line) {
        open_place(file, static_cast<std::size_t>(line));
    });
    connect(tabs_, &QTabWidget::tabCloseRequested, this, [this](int index) { close_tab(index); });
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { emit title_changed(); });
    connect(watcher_, &QFileSystemWatcher::fileChanged, this,
            [this](const QString& path) { file_changed_on_disk(path); });
    connect(results_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        open_place(item->data(file_data).toString().toStdString(),
                   item->data(line_data).toULongLong(), item->data(byte_data).toULongLong());
    });
}

Desk::~Desk() = default;

void Desk::set_project(const std::string& folder) {
    if (folder == folder_) return;
    close_all_tabs();  // unsaved texts of the project that goes are asked about
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        delete page;
    }
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    diagnostics_.clear();
    results_->hide();
    folder_ = folder;
    refresh_panel();
    if (!folder_.empty()) check_now();
    emit title_changed();
}

void Desk::refresh_panel() {
    if (folder_.empty()) {
        panel_->show_project(nullptr);
        return;
    }
    try {
        panel_->show_project(reading().get());
    } catch (const std::exception&) {
        panel_->show_project(nullptr);
    }
}

std::map<std::string, std::string> Desk::open_texts() const {
    std::map<std::string, std::string> texts;
    for (int i = 0; i < tabs_->count(); ++i)
        if (auto* editor = qobject_cast<SourceEditor*>(tabs_->widget(i)))
            texts[editor->file_name()] = editor->bytes();
    return texts;
}

std::unique_ptr<language::LanguageProject> Desk::reading() const {
    return std::make_unique<language::LanguageProject>(folder_, open_texts());
}

SourceEditor* Desk::current_editor() const {
    return qobject_cast<SourceEditor*>(tabs_->currentWidget());
}

SourceEditor* Desk::editor(const std::string& file) const {
    for (int i = 0; i < tabs_->count(); ++i)
        if (auto* editor = qobject_cast<SourceEditor*>(tabs_->widget(i)))
            if (editor->file_name() == file) return editor;
    return nullptr;
}

QString Desk::title_prefix() const {
    const SourceEditor* editor = current_editor();
    if (!editor) return {};
    return text_of(editor->file_name()) + (editor->isModified() ? QStringLiteral("*") : QString()) +
           QStringLiteral(" - ");
}

bool Desk::open_place(const std::string& file, std::size_t line, std::size_t byte) {
    if (folder_.empty()) return false;
    const QFileInfo info(text_of(file));
    std::string name = file;
    if (info.isAbsolute()) {
        if (QDir(info.absolutePath()) != QDir(text_of(folder_))) return false;
        name = info.fileName().toStdString();
    }
    SourceEditor* editor = open_file(name);
    if (!editor) return false;
    tabs_->setCurrentWidget(editor);
    editor->go_to(line, byte);
    return true;
}

SourceEditor* Desk::open_file(const std::string& name) {
    if (SourceEditor* open = editor(name)) return open;
    // The author's texts only: pages, pictures and maps open elsewhere.
    if (!language::is_source_file(name) && !QString::fromStdString(name).endsWith(".txt"))
        return nullptr;
    const QString path = QDir(text_of(folder_)).filePath(text_of(name));
    if (!QFileInfo(path).isFile()) return nullptr;
    auto* editor = new SourceEditor(name, path.toStdString(), tabs_);
    if (!editor->load()) {
        delete editor;
        return nullptr;
    }
    tabs_->addTab(editor, text_of(name));
    watcher_->addPath(path);
    connect(editor, &QsciScintilla::textChanged, this, [this, editor] { text_changed(editor); });
    connect(editor, &QsciScintilla::modificationChanged, this,
            [this, editor] { tab_title(editor); });
    connect(editor, &QsciScintilla::SCN_CHARADDED, this, [this, editor](int c) {
        if (c == '_' && editor == current_editor()) {
            // A "_" that opens a name, not the one that closes it.
            const std::size_t byte = editor->caret_byte();
            const QString line = editor->text(static_cast<int>(editor->caret_line()));
            const QByteArray bytes = line.toUtf8();
            const bool opens =
                byte < 2 || !language::is_name_byte(bytes[static_cast<qsizetype>(byte) - 2]);
            if (opens) complete();
        }
    });
    connect(editor, &QsciScintilla::userListActivated, this,
            [this, editor](int id, const QString& label) {
                if (id != completion_list) return;
                for (const language::Completion& completion : offered_) {
                    if (text_of(completion.label) != label) continue;
                    const long from = editor->position_of(completion.replaces.range.line,
                                                          completion.replaces.range.begin);
                    const long to = editor->position_of(completion.replaces.range.line,
                                                        completion.replaces.range.end);
                    editor->SendScintilla(QsciScintilla::SCI_SETSEL,
                                          static_cast<unsigned long>(from), to);
                    editor->replaceSelectedText(label);
                    break;
                }
            });
    connect(editor, &SourceEditor::hovered, this, [this, editor](long position, QPoint where) {
        const QString text = hover_text(editor, position);
        if (!text.isEmpty()) QToolTip::showText(where, text, editor);
    });
    for (const language::PlacedDiagnostic& diagnostic : diagnostics_)
        if (diagnostic.where.file == name) {
            Diagnostics mine;
            for (const auto& d : diagnostics_)
                if (d.where.file == name) mine.push_back(d);
            editor->show_diagnostics(std::move(mine));
            break;
        }
    return editor;
}

void Desk::tab_title(SourceEditor* editor) {
    const int index = tabs_->indexOf(editor);
    if (index < 0) return;
    tabs_->setTabText(index, text_of(editor->file_name()) +
                                 (editor->isModified() ? QStringLiteral("*") : QString()));
    emit title_changed();
}

void Desk::text_changed(SourceEditor*) {
    pause_.start();
}

void Desk::check_now(bool build) {
    pause_.stop();
    if (!folder_.empty()) worker_.request(folder_, open_texts(), build);
}

void Desk::show_diagnostics(Diagnostics diagnostics) {
    diagnostics_ = std::move(diagnostics);
    for (int i = 0; i < tabs_->count(); ++i) {
        auto* editor = qobject_cast<SourceEditor*>(tabs_->widget(i));
        if (!editor) continue;
        Diagnostics mine;
        for (const language::PlacedDiagnostic& diagnostic : diagnostics_)
            if (diagnostic.where.file == editor->file_name()) mine.push_back(diagnostic);
        editor->show_diagnostics(std::move(mine));
    }
    emit diagnostics_shown();
}

bool Desk::save(SourceEditor* editor) {
    if (!write(editor)) return false;
    emit saved();
    return true;
}

bool Desk::write(SourceEditor* editor) {
    if (!editor) return false;
    try {
        watcher_->removePath(text_of(editor->path()));
        write_file_safely(editor->path(), editor->bytes());
        watcher_->addPath(text_of(editor->path()));
    } catch (const std::exception& error) {
        watcher_->addPath(text_of(editor->path()));
        dialogs_.show_message(MessageKind::error, error.what());
        return false;
    }
    editor->set_disk_time(QFileInfo(text_of(editor->path())).lastModified().toMSecsSinceEpoch());
    editor->setModified(false);
    refresh_panel();
    check_now(true);
    return true;
}

// One change of the project for all the files: the game is built once.
bool Desk::save_all() {
    bool all = true;
    bool any = false;
    for (int i = 0; i < tabs_->count(); ++i)
        if (auto* editor = qobject_cast<SourceEditor*>(tabs_->widget(i)))
            if (editor->isModified()) {
                const bool written = write(editor);
                any = any || written;
                all = all && written;
            }
    if (any) emit saved();
    return all;
}

bool Desk::close_tab(int index) {
    auto* editor = qobject_cast<SourceEditor*>(tabs_->widget(index));
    if (!editor) return false;
    if (editor->isModified() &&
        dialogs_.ask_yes_no(MessageKind::confirmation,
                            "Save changes to " + editor->file_name() + "?") &&
        !save(editor))
        return false;
    watcher_->removePath(text_of(editor->path()));
    tabs_->removeTab(index);
    editor->deleteLater();
    check_now();
    return true;
}

bool Desk::close_all_tabs() {
    for (int i = 0; i < tabs_->count(); ++i) {
        auto* editor = qobject_cast<SourceEditor*>(tabs_->widget(i));
        if (!editor || !editor->isModified()) continue;
        if (dialogs_.ask_yes_no(MessageKind::confirmation,
                                "Save changes to " + editor->file_name() + "?") &&
            !save(editor))
            return false;
        editor->setModified(false);
    }
    return true;
}

// A file changed by another program: reloaded when it has no unsaved
// changes, else only when the author says so.
void Desk::file_changed_on_disk(const QString& path) {
    SourceEditor* changed = nullptr;
    for (int i = 0; i < tabs_->count(); ++i)
        if (auto* editor = qobject_cast<SourceEditor*>(tabs_->widget(i)))
            if (text_of(editor->path()) == path) changed = editor;
    if (!changed) return;
    if (!QFileInfo::exists(path)) return;
    if (!watcher_->files().contains(path)) watcher_->addPath(path);  // a rename over it
    try {
        if (read_decoded_text(changed->path()) == changed->bytes()) return;  // our own save
    } catch (const std::exception&) {
        return;
    }
    if (changed->isModified() &&
        !dialogs_.ask_yes_no(
            MessageKind::warning,
            changed->file_name() +
                " was changed by another program. Reload it and lose your changes?"))
        return;
    int line = 0, index = 0;
    changed->getCursorPosition(&line, &index);
    changed->load();
    changed->setCursorPosition(std::min(line, changed->lines() - 1), 0);
    refresh_panel();
    check_now();
}

void Desk::complete() {
    SourceEditor* editor = current_editor();
    if (!editor) return;
    offered_ = language::complete(*reading(), editor->file_name(), editor->caret_line(),
                                  editor->caret_byte());
    if (offered_.empty()) return;
    QStringList labels;
    for (const language::Completion& completion : offered_) labels << text_of(completion.label);
    labels.removeDuplicates();
    labels.sort();  // the list finds what is typed by halving
    editor->showUserList(completion_list, labels);
}

void Desk::go_to_definition() {
    SourceEditor* editor = current_editor();
    if (!editor) return;
    const auto place = language::definition(*reading(), editor->file_name(), editor->caret_line(),
                                            editor->caret_byte());
    if (!place) return;
    open_place(place->file, place->range.line, place->range.begin);
    if (SourceEditor* target = current_editor()) target->select_place(*place);
}

void Desk::show_results(const QString& title, const std::vector<language::Place>& places) {
    results_->clear();
    results_->addItem(title);
    for (const language::Place& place : places) {
        QString line;
        if (const SourceEditor* open = editor(place.file))
            line = open->text(static_cast<int>(place.range.line)).trimmed();
        else if (auto project = reading(); const SourceFile* file = project->file(place.file))
            if (place.range.line < file->lines.size())
                line = text_of(file->lines[place.range.line]).trimmed();
        auto* item = new QListWidgetItem(text_of(place_line(place)) + QStringLiteral(": ") + line);
        item->setData(file_data, text_of(place.file));
        item->setData(line_data, static_cast<qulonglong>(place.range.line));
        item->setData(byte_data, static_cast<qulonglong>(place.range.begin));
        results_->addItem(item);
    }
    results_->show();
}

void Desk::find_references() {
    SourceEditor* editor = current_editor();
    if (!editor) return;
    const auto places = language::references(*reading(), editor->file_name(), editor->caret_line(),
                                             editor->caret_byte());
    const QString word = editor->wordAtLineIndex(static_cast<int>(editor->caret_line()),
                                                 static_cast<int>(editor->caret_byte()));
    show_results(QStringLiteral("References of ") + word + QStringLiteral(": ") +
                     QString::number(places.size()),
                 places);
}

void Desk::apply_edits(const std::vector<language::Edit>& edits) {
    // From the last edit of a line back, so that earlier bytes keep their place.
    std::vector<language::Edit> ordered = edits;
    std::sort(ordered.begin(), ordered.end(), [](const language::Edit& a, const language::Edit& b) {
        if (a.where.file != b.where.file) return a.where.file < b.where.file;
        if (a.where.range.line != b.where.range.line)
            return a.where.range.line > b.where.range.line;
        return a.where.range.begin > b.where.range.begin;
    });
    for (const language::Edit& edit : ordered) {
        SourceEditor* target = open_file(edit.where.file);
        if (!target) continue;
        const long from = target->position_of(edit.where.range.line, edit.where.range.begin);
        const long to = target->position_of(edit.where.range.line, edit.where.range.end);
        target->SendScintilla(QsciScintilla::SCI_SETTARGETRANGE, static_cast<unsigned long>(from),
                              to);
        const QByteArray text = QByteArray::fromStdString(edit.text);
        target->SendScintilla(QsciScintilla::SCI_REPLACETARGET,
                              static_cast<unsigned long>(text.size()), text.constData());
    }
}

void Desk::rename_name() {
    SourceEditor* editor = current_editor();
    if (!editor) return;
    const auto project = reading();
    language::Place name;
    const language::RenameResult check = language::prepare_rename(
        *project, editor->file_name(), editor->caret_line(), editor->caret_byte(), name);
    if (!check.refused.empty()) {
        dialogs_.show_message(MessageKind::warning, check.refused);
        return;
    }
    const SourceFile* file = project->file(name.file);
    const std::string old_name = file ? file->lines[name.range.line].substr(
                                            name.range.begin, name.range.end - name.range.begin)
                                      : std::string();
    const auto new_name = dialogs_.input_text("Rename", "New name for " + old_name + ":", old_name);
    if (!new_name || new_name->empty() || *new_name == old_name) return;
    const language::RenameResult result = language::rename(
        *project, editor->file_name(), editor->caret_line(), editor->caret_byte(), *new_name);
    if (!result.refused.empty()) {
        dialogs_.show_message(MessageKind::warning, result.refused);
        return;
    }
    // The preview: every line that changes, before anything does.
    std::string preview = "Rename " + old_name + " to " + *new_name + ": " +
                          std::to_string(result.edits.size()) + " changes.\n";
    for (const language::Edit& edit : result.edits) preview += "\n" + place_line(edit.where);
    if (!dialogs_.ask_yes_no(MessageKind::confirmation, preview)) return;
    SourceEditor* back = editor;
    const std::size_t line = editor->caret_line(), byte = editor->caret_byte();
    apply_edits(result.edits);
    tabs_->setCurrentWidget(back);
    back->go_to(line, byte);
    check_now();
}

void Desk::apply_quick_fix() {
    SourceEditor* editor = current_editor();
    if (!editor) return;
    const long position = editor->position_of(editor->caret_line(), editor->caret_byte());
    const language::PlacedDiagnostic* diagnostic = editor->diagnostic_at(position);
    if (!diagnostic) return;
    const auto fix = language::quick_fix(*reading(), diagnostic->diagnostic, diagnostic->where);
    if (!fix) return;
    apply_edits({fix->edit});
    check_now();
}

// The language's description of the name at a position, then the texts of
// the diagnostics there.
QString Desk::hover_text(SourceEditor* editor, long position) const {
    const auto line = static_cast<std::size_t>(editor->SendScintilla(
        QsciScintilla::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position)));
    const auto byte = static_cast<std::size_t>(position - editor->position_of(line, 0));
    QString text = editor->hover_text_at(position);
    if (const auto found = language::hover(*reading(), editor->file_name(), line, byte))
        text =
            text_of(found->markdown) + (text.isEmpty() ? QString() : QStringLiteral("\n\n") + text);
    return text;
}

void Desk::show_hover() {
    SourceEditor* editor = current_editor();
    if (!editor) return;
    const long position = editor->SendScintilla(QsciScintilla::SCI_GETCURRENTPOS);
    const QString text = hover_text(editor, position);
    if (text.isEmpty()) return;
    const int x = static_cast<int>(
        editor->SendScintilla(QsciScintilla::SCI_POINTXFROMPOSITION, 0UL, position));
    const int y = static_cast<int>(
        editor->SendScintilla(QsciScintilla::SCI_POINTYFROMPOSITION, 0UL, position));
    QToolTip::showText(editor->viewport()->mapToGlobal(QPoint(x, y + 16)), text, editor);
}

void Desk::find_in_file(bool replace) {
    SourceEditor* editor = current_editor();
    if (!editor) return;
    const auto what = dialogs_.input_text(replace ? "Replace" : "Find", "Find:", "");
    if (!what || what->empty()) return;
    if (!replace) {
        editor->findFirst(text_of(*what), false, false, false, true);
        return;
    }
    const auto with = dialogs_.input_text("Replace", "Replace with:", "");
    if (!with) return;
    editor->beginUndoAction();
    editor->setCursorPosition(0, 0);
    bool found = editor->findFirst(text_of(*what), false, false, false, false);
    while (found) {
        editor->replace(text_of(*with));
        found = editor->findNext();
    }
    editor->endUndoAction();
}

void Desk::find_in_project() {
    if (folder_.empty()) return;
    const auto what = dialogs_.input_text("Find in project", "Find:", "");
    if (!what || what->empty()) return;
    const auto project = reading();
    std::vector<language::Place> places;
    for (std::string_view name : language::source_file_names()) {
        const SourceFile* file = project->file(name);
        if (!file) continue;
        for (std::size_t line = 0; line < file->lines.size(); ++line)
            for (std::size_t at = file->lines[line].find(*what); at != std::string::npos;
                 at = file->lines[line].find(*what, at + what->size()))
                places.push_back({std::string(name), TextRange{line, at, at + what->size()}});
    }
    show_results(QStringLiteral("\"") + text_of(*what) + QStringLiteral("\": ") +
                     QString::number(places.size()),
                 places);
}

// Ctrl+P: the first file, then the first name, that holds what was typed.
void Desk::go_to_anything() {
    if (folder_.empty()) return;
    const auto what = dialogs_.input_text("Go to", "File or name:", "");
    if (!what || what->empty()) return;
    const QString typed = text_of(*what);
    for (std::string_view name : language::source_file_names())
        if (text_of(std::string(name)).contains(typed, Qt::CaseInsensitive) &&
            open_place(std::string(name), 0))
            return;
    const auto project = reading();
    for (const language::Symbol& symbol : language::workspace_symbols(*project, *what)) {
        open_place(symbol.where.file, symbol.where.range.line, symbol.where.range.begin);
        return;
    }
}

void Desk::add_commands(QMenu* edit) {
    const auto add = [this, edit](const char* caption, const char* name, const QKeySequence& keys,
                                  std::function<void()> command) {
        QAction* action = edit->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromUtf8(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, std::move(command));
    };
    add("&Save file", "Savefile1", QKeySequence::Save, [this] { save(current_editor()); });
    add("Save &all files", "Saveallfiles1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
        [this] { save_all(); });
    edit->addSeparator();
    add("&Find...", "Find1", QKeySequence(Qt::CTRL | Qt::Key_F), [this] { find_in_file(false); });
    add("&Replace...", "Replace1", QKeySequence(Qt::CTRL | Qt::Key_H),
        [this] { find_in_file(true); });
    add("Find in &project...", "Findinproject1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F),
        [this] { find_in_project(); });
    add("&Go to file or name...", "Goto1", QKeySequence(Qt::CTRL | Qt::Key_P),
        [this] { go_to_anything(); });
    edit->addSeparator();
    add("&Complete", "Complete1", QKeySequence(Qt::CTRL | Qt::Key_Space), [this] { complete(); });
    add("Go to &definition", "Gotodefinition1", QKeySequence(Qt::Key_F12),
        [this] { go_to_definition(); });
    add("Find r&eferences", "Findreferences1", QKeySequence(Qt::SHIFT | Qt::Key_F12),
        [this] { find_references(); });
    add("Re&name...", "Rename1", QKeySequence(Qt::Key_F2), [this] { rename_name(); });
    add("&Quick fix", "Quickfix1", QKeySequence(Qt::CTRL | Qt::Key_Period),
        [this] { apply_quick_fix(); });
    add("Show &hover text", "Hover1", QKeySequence(Qt::CTRL | Qt::Key_K), [this] { show_hover(); });
}

}  // namespace quenlo::desk
