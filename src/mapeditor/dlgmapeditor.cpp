#include "mapeditor/dlgmapeditor.h"

#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>

#include "foundation/error.h"
#include "foundation/project_files.h"
#include "mapeditor/map_paint_box.h"
#include "mapeditor/map_picture.h"
#include "mapeditor/save_files.h"
#include "project/dialogs.h"
#include "project/map_editor_files.h"
#include "project/map_rooms.h"

namespace quenlo::mapeditor {

namespace {

// Room for the whole map without scroll bars.
constexpr int client_width = 960;
constexpr int client_height = 676;
constexpr int largest_area = 79;

QString from_std(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString joined(const std::vector<std::string>& lines) {
    QStringList all;
    for (const std::string& line : lines) all << from_std(line);
    return all.join('\n');
}

QLabel* add_label(QWidget* parent, const char* text) {
    return new QLabel(QString::fromUtf8(text), parent);
}

QToolButton* tool_button(QWidget* parent, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setFixedSize(26, 26);
    return button;
}

QToolButton* add_button(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                        const char* tip) {
    QToolButton* button = tool_button(parent, QString::fromUtf8(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(QString::fromUtf8(tip));
    return button;
}

// "btnSave" for "actSave".
QToolButton* add_button(QWidget* parent, QAction* action) {
    QToolButton* button = tool_button(parent, QStringLiteral("btn") + action->objectName().mid(3));
    button->setDefaultAction(action);
    return button;
}

QPlainTextEdit* add_memo(QWidget* parent, const char* name, int width) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QString::fromUtf8(name));
    memo->setFixedWidth(width);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    return memo;
}

// A column of the dialog: a row of caption and buttons over its main control.
QVBoxLayout* add_column(QHBoxLayout* columns, std::initializer_list<QWidget*> heading,
                        QWidget* main) {
    auto* column = new QVBoxLayout;
    auto* row = new QHBoxLayout;
    for (QWidget* widget : heading) {
        if (widget)
            row->addWidget(widget);
        else
            row->addStretch();
    }
    column->addLayout(row);
    column->addWidget(main, 1);
    columns->addLayout(column);
    return column;
}

const char* const map_tip =
    "Left-drag paints the selected area over every cell it passes; right-drag erases.\n"
    "A click (press and release on one cell) follows the click rules:\n"
    "- left on an empty cell tags it with the selected area;\n"
    "- left on a tagged cell makes it the selected area's connection point;\n"
    "- left on a connection point makes it a plain cell of its area again;\n"
    "- right erases the cell.";

}  // namespace

TdlgMapEditor::TdlgMapEditor(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setObjectName("dlgMapEditor");
    create_commands();
    create_controls();
    fit_screen();
}

void TdlgMapEditor::create_controls() {
    // The map on the left with its area choice above it, the connections in
    // the middle column, the rooms on the right. The map scrolls when the
    // screen is too small for all of it.
    cbo_ = new QComboBox(this);
    cbo_->setObjectName("cbo");
    cbo_->addItem(QStringLiteral("none"));
    for (int area = 1; area <= largest_area; ++area) cbo_->addItem(QString::number(area));
    cbo_->setMinimumWidth(180);
    cbo_->setMaxVisibleItems(20);
    cbo_->setToolTip(QStringLiteral("The area a left click or a left-drag paints"));
    BitBtn2_ = add_button(this, "BitBtn2", QStyle::SP_DialogCancelButton, "Select none");
    btndellog_ = add_button(this, "btndellog", QStyle::SP_DialogResetButton, "Clear all cells");

    auto* scroller = new QScrollArea(this);
    scroller->setObjectName("pnlMap");
    pb_ = new MapPaintBox;
    pb_->setToolTip(QString::fromUtf8(map_tip));
    scroller->setWidget(pb_);
    scroller->setMinimumWidth(200);
    scroller->setMaximumSize(map_picture_width + 2 * scroller->frameWidth() + 20,
                             map_picture_height + 2 * scroller->frameWidth() + 20);
    lblstatus_ = new QLabel(this);
    lblstatus_->setObjectName("lblstatus");

    lblerror_ = new QLabel(QStringLiteral("???"), this);
    lblerror_->setObjectName("lblerror");
    lblerror_->setStyleSheet(
        QStringLiteral("QLabel { color: rgb(255, 0, 0); font-weight: bold; }"));
    lblerror_->hide();
    lblerror_->setToolTip(
        QStringLiteral("A connection is not two areas from 1 to 80, "
                       "or only one of its areas has a connection point"));
    BitBtn1_ = add_button(this, "BitBtn1", QStyle::SP_DialogResetButton, "Clear connections");
    memconn_ = add_memo(this, "memconn", 180);
    memconn_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memconn_->setToolTip(QStringLiteral("One connection a line: two areas, such as 3,7"));
    // Ctrl+Z and Ctrl+Shift+Z take back changes of the cells and the text alike.
    memconn_->setUndoRedoEnabled(false);
    memconn_->installEventFilter(this);

    memrooms_ = add_memo(this, "memrooms", 174);
    memrooms_->setReadOnly(true);

    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(8, 8, 8, 4);
    QVBoxLayout* map_column = add_column(
        columns,
        {add_label(this, "Discovering value:"), cbo_, BitBtn2_, add_button(this, actSave_),
         add_button(this, actUndo_), add_button(this, actRedo_), nullptr, btndellog_},
        scroller);
    map_column->addWidget(lblstatus_);
    add_column(columns, {add_label(this, "Connections:"), lblerror_, nullptr, BitBtn1_}, memconn_);
    add_column(columns, {add_label(this, "Rooms:"), nullptr}, memrooms_);
    // The map takes the room there is up to its full size.
    columns->setStretch(0, 1);
    columns->addStretch();

    setTabOrder(cbo_, BitBtn2_);
    setTabOrder(BitBtn2_, btndellog_);
    setTabOrder(btndellog_, memconn_);
    setTabOrder(memconn_, BitBtn1_);
    setTabOrder(BitBtn1_, memrooms_);
    cbo_->setFocus();

    connect(pb_, &MapPaintBox::pressed, this, &TdlgMapEditor::pbMouseDown);
    connect(pb_, &MapPaintBox::dragged, this, &TdlgMapEditor::pbMouseMove);
    connect(pb_, &MapPaintBox::released, this, &TdlgMapEditor::pbMouseUp);
    connect(pb_, &MapPaintBox::hovered, this, [this](int px, int py) {
        pointer_cell_ = cell_at_pixel(px, py);
        show_status();
    });
    connect(pb_, &MapPaintBox::left, this, [this] {
        pointer_cell_.reset();
        show_status();
    });
    connect(btndellog_, &QToolButton::clicked, this, &TdlgMapEditor::btndellogClick);
    connect(BitBtn1_, &QToolButton::clicked, this, &TdlgMapEditor::BitBtn1Click);
    connect(BitBtn2_, &QToolButton::clicked, this, &TdlgMapEditor::BitBtn2Click);
    connect(memconn_, &QPlainTextEdit::textChanged, this, &TdlgMapEditor::memconnChange);
}

// Save, undo and redo, on their keys; buttons beside the area choice show them.
void TdlgMapEditor::create_commands() {
    const auto add = [this](const char* name, const char* caption, QList<QKeySequence> keys,
                            QStyle::StandardPixmap icon) {
        auto* action = new QAction(style()->standardIcon(icon), QString::fromUtf8(caption), this);
        action->setObjectName(QString::fromUtf8(name));
        action->setShortcuts(keys);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(
            action->text(), keys.front().toString(QKeySequence::NativeText)));
        addAction(action);
        return action;
    };
    actSave_ = add("actSave", "Save", {QKeySequence::Save}, QStyle::SP_DialogSaveButton);
    actUndo_ = add("actUndo", "Undo", {QKeySequence::Undo}, QStyle::SP_ArrowBack);
    actRedo_ =
        add("actRedo", "Redo",
            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
            QStyle::SP_ArrowForward);
    connect(actSave_, &QAction::triggered, this, &TdlgMapEditor::saveClick);
    connect(actUndo_, &QAction::triggered, this, &TdlgMapEditor::undoClick);
    connect(actRedo_, &QAction::triggered, this, &TdlgMapEditor::redoClick);
    enable_history_commands();
}

// The design size where the screen allows it; on a smaller screen the
// dialog shrinks and the map scrolls.
void TdlgMapEditor::fit_screen() {
    QSize size(client_width, client_height);
    if (const QScreen* screen = this->screen()) {
        // Room for the title bar and the frame, which the window system adds.
        const QSize room = screen->availableGeometry().size() - QSize(16, 40);
        size = size.boundedTo(room);
    }
    resize(size.expandedTo(minimumSizeHint()));
}

bool TdlgMapEditor::load(const std::string& folder, int map_number) {
    folder_ = folder;
    map_number_ = map_number;
    fill_rooms(folder);
    setWindowTitle(QStringLiteral("Map %1 editor").arg(map_number));
    try {
        grid_ = read_map_file(folder, map_number);
        picture_ = read_map_picture(folder, map_number);
        memconn_->setPlainText(joined(read_connections_file(folder)));
    } catch (const Error& error) {
        dialogs_.show_message(MessageKind::warning, error.what());
        return false;
    }
    history_ = MapEditHistory(state());
    pb_->show_map(&picture_, &grid_, &drawings_);
    refresh();
    return true;
}

// The rooms of the project beside the map, for reference: "1:_rStanzaBuia_";
// the area choice names them too.
void TdlgMapEditor::fill_rooms(const std::string& folder) {
    std::vector<std::string> lines;
    for (const MapRoom& room : map_rooms(read_lines(folder + std::string(rooms_file_name)))) {
        lines.push_back(map_room_line(room));
        if (room_names_.emplace(room.index, room.identifier).second)
            cbo_->setItemText(
                room.index,
                QStringLiteral("%1  %2").arg(room.index).arg(from_std(room.identifier)));
    }
    memrooms_->setPlainText(joined(lines));
}

void TdlgMapEditor::pbMouseDown(int px, int py, Qt::MouseButton button) {
    remember(MapChange::cells);  // a stroke whose release never came
    const int value = button == Qt::LeftButton ? cbo_->currentIndex() : 0;
    stroke_.emplace(cell_at_pixel(px, py), value);
}

void TdlgMapEditor::pbMouseMove(int px, int py) {
    if (stroke_ && stroke_->drag_to(grid_, cell_at_pixel(px, py))) refresh();
}

void TdlgMapEditor::pbMouseUp() {
    if (!stroke_) return;
    if (stroke_->release(grid_)) refresh();
    stroke_.reset();
    remember(MapChange::cells);
}

void TdlgMapEditor::show_status() {
    if (!pointer_cell_ || !is_on_grid(*pointer_cell_)) {
        lblstatus_->clear();
        return;
    }
    const MapCell cell = *pointer_cell_;
    lblstatus_->setText(
        from_std(cell_status(cell.x, cell.y, grid_.cell(cell.x, cell.y), room_names_)));
}

void TdlgMapEditor::btndellogClick() {
    if (!dialogs_.ask_yes_no(MessageKind::confirmation, "Clear all cells?")) return;
    grid_ = MapGrid();
    refresh();
    remember(MapChange::cells);
}

void TdlgMapEditor::BitBtn1Click() {
    text_change_ = MapChange::cells;  // one step of its own
    memconn_->clear();
    text_change_ = MapChange::typing;
}

void TdlgMapEditor::BitBtn2Click() {
    cbo_->setCurrentIndex(0);
}

void TdlgMapEditor::memconnChange() {
    refresh();
    if (!restoring_) remember(text_change_);
}

void TdlgMapEditor::refresh() {
    drawings_ = draw_connections(memconn_->toPlainText().toStdString(), grid_);
    lblerror_->setVisible(has_invalid_connection(drawings_));
    show_status();
    pb_->update();
}

MapEditorState TdlgMapEditor::state() const {
    return {grid_, memconn_->toPlainText().toStdString()};
}

void TdlgMapEditor::remember(MapChange change) {
    history_.record(state(), change);
    enable_history_commands();
}

void TdlgMapEditor::restore(const MapEditorState* state) {
    if (!state) return;
    stroke_.reset();
    grid_ = state->grid;
    const QString connections = from_std(state->connections);
    if (memconn_->toPlainText() != connections) {
        restoring_ = true;
        memconn_->setPlainText(connections);
        restoring_ = false;
    }
    refresh();
    enable_history_commands();
}

void TdlgMapEditor::enable_history_commands() {
    actUndo_->setEnabled(history_.can_undo());
    actRedo_->setEnabled(history_.can_redo());
}

void TdlgMapEditor::undoClick() {
    restore(history_.undo());
}

void TdlgMapEditor::redoClick() {
    restore(history_.redo());
}

// While the connections have the keyboard, their own undo gives way to the
// editor's, which knows the cells too.
bool TdlgMapEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == memconn_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        for (QAction* action : {actUndo_, actRedo_})
            for (const QKeySequence& sequence : action->shortcuts())
                if (QKeySequence(key->keyCombination()) == sequence) {
                    action->trigger();
                    return true;
                }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<std::vector<std::string>> TdlgMapEditor::checked_connections() {
    auto connections = saved_connections(memconn_->toPlainText().toStdString());
    if (!connections) {
        dialogs_.show_message(MessageKind::error, invalid_connections_message);
        return std::nullopt;
    }
    // Only the lines that will be saved stay; the cursor stays when they all do.
    if (const QString saved = joined(*connections); saved != memconn_->toPlainText()) {
        text_change_ = MapChange::cells;
        memconn_->setPlainText(saved);
        text_change_ = MapChange::typing;
    }

    if (const auto area = area_missing_connection_point(grid_)) {
        dialogs_.show_message(MessageKind::error, missing_connection_point_message(*area));
        return std::nullopt;
    }
    return connections;
}

bool TdlgMapEditor::FormCloseQuery() {
    const auto connections = checked_connections();
    if (!connections) return false;

    std::string map_text;
    try {
        map_text = map_file_text(grid_);
    } catch (const Error& error) {
        return dialogs_.ask_yes_no(MessageKind::warning,
                                   unable_to_save_message(map_number_, error.what()));
    }

    if (!dialogs_.ask_yes_no(MessageKind::confirmation, save_changes_question)) return true;
    return save(map_text, *connections);
}

// Saves without closing; the checks are those of closing, without the question.
void TdlgMapEditor::saveClick() {
    const auto connections = checked_connections();
    if (!connections) return;
    std::string map_text;
    try {
        map_text = map_file_text(grid_);
    } catch (const Error& error) {
        dialogs_.show_message(MessageKind::error, error.what());
        return;
    }
    if (!save(map_text, *connections)) return;
    lblstatus_->setText(QStringLiteral("Saved %1 and %2.")
                            .arg(from_std(map_file_name(map_number_)),
                                 from_std(std::string(connections_file_name))));
}

bool TdlgMapEditor::save(const std::string& map_text, const std::vector<std::string>& connections) {
    const auto path = [this](std::string_view name) {
        return QFile::decodeName(QByteArray::fromStdString(folder_ + std::string(name)));
    };
    try {
        save_files_together(
            {{path(map_file_name(map_number_)), QByteArray::fromStdString(map_text)},
             {path(connections_file_name),
              QByteArray::fromStdString(connections_file_text(connections))}});
    } catch (const Error& error) {
        dialogs_.show_message(MessageKind::error, error.what());
        return false;
    }
    return true;
}

// Escape, the title bar's close button and any other way out come here.
void TdlgMapEditor::done(int result) {
    if (!FormCloseQuery()) return;
    QDialog::done(result);
}

app::MapEditorFactory map_editor_factory() {
    return [](QWidget* parent, Dialogs& dialogs) -> std::unique_ptr<app::MapEditorDialog> {
        return std::make_unique<TdlgMapEditor>(dialogs, parent);
    };
}

}  // namespace quenlo::mapeditor
