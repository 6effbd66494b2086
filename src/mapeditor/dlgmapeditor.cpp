#include "mapeditor/dlgmapeditor.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
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

constexpr int client_width = 952;
constexpr int client_height = 663;
constexpr int largest_area = 79;

QString from_std(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString joined(const std::vector<std::string>& lines) {
    QStringList all;
    for (const std::string& line : lines) all << from_std(line);
    return all.join('\n');
}

QLabel* add_label(QWidget* parent, const char* text, int x, int y) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QToolButton* add_button(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                        const char* tip, int x, int y) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(QString::fromUtf8(tip));
    button->setGeometry(x, y, 26, 26);
    return button;
}

}  // namespace

TdlgMapEditor::TdlgMapEditor(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setObjectName("dlgMapEditor");
    setFixedSize(client_width, client_height);
    create_controls();
}

void TdlgMapEditor::create_controls() {
    // The map on the left with its area choice above it, the connections in
    // the middle column, the rooms on the right.
    // Controls right of a caption follow its width, which the font decides.
    const QLabel* discovering = add_label(this, "Discovering value:", 8, 13);
    cbo_ = new QComboBox(this);
    cbo_->setObjectName("cbo");
    cbo_->addItem(QStringLiteral("none"));
    for (int area = 1; area <= largest_area; ++area) cbo_->addItem(QString::number(area));
    cbo_->setGeometry(discovering->geometry().right() + 8, 8, 72, 26);
    cbo_->setMaxVisibleItems(20);
    cbo_->setToolTip(QStringLiteral("The area a left click paints"));
    BitBtn2_ = add_button(this, "BitBtn2", QStyle::SP_DialogCancelButton, "Select none",
                          cbo_->geometry().right() + 4, 8);
    btndellog_ =
        add_button(this, "btndellog", QStyle::SP_DialogResetButton, "Clear all cells", 542, 8);

    auto* panel = new QWidget(this);
    panel->setObjectName("pnlMap");
    panel->setGeometry(8, 40, map_picture_width, map_picture_height);
    pb_ = new MapPaintBox(panel);
    lblstatus_ = new QLabel(this);
    lblstatus_->setObjectName("lblstatus");
    lblstatus_->setGeometry(8, 641, map_picture_width, 20);

    const QLabel* connections = add_label(this, "Connections:", 580, 13);
    lblerror_ = new QLabel(QStringLiteral("???"), this);
    lblerror_->setObjectName("lblerror");
    lblerror_->setStyleSheet(
        QStringLiteral("QLabel { color: rgb(255, 0, 0); font-weight: bold; }"));
    lblerror_->move(connections->geometry().right() + 12, 13);
    lblerror_->adjustSize();
    lblerror_->hide();
    lblerror_->setToolTip(
        QStringLiteral("A connection is not two areas from 1 to 80, "
                       "or only one of its areas has a connection point"));
    BitBtn1_ =
        add_button(this, "BitBtn1", QStyle::SP_DialogResetButton, "Clear connections", 734, 8);
    memconn_ = new QPlainTextEdit(this);
    memconn_->setObjectName("memconn");
    memconn_->setGeometry(580, 40, 180, 615);
    memconn_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memconn_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memconn_->setToolTip(QStringLiteral("One connection a line: two areas, such as 3,7"));

    add_label(this, "Rooms:", 770, 13);
    memrooms_ = new QPlainTextEdit(this);
    memrooms_->setObjectName("memrooms");
    memrooms_->setGeometry(770, 40, 174, 615);
    memrooms_->setReadOnly(true);
    memrooms_->setLineWrapMode(QPlainTextEdit::NoWrap);

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
    pb_->show_map(&picture_, &grid_, &drawings_);
    refresh();
    return true;
}

// The rooms of the project beside the map, for reference: "1:_rStanzaBuia_".
void TdlgMapEditor::fill_rooms(const std::string& folder) {
    std::vector<std::string> lines;
    for (const MapRoom& room : map_rooms(read_lines(folder + std::string(rooms_file_name)))) {
        lines.push_back(map_room_line(room));
        room_names_.emplace(room.index, room.identifier);
    }
    memrooms_->setPlainText(joined(lines));
}

void TdlgMapEditor::pbMouseDown(int px, int py, Qt::MouseButton button) {
    const int value = button == Qt::LeftButton ? cbo_->currentIndex() : 0;
    stroke_.emplace(grid_, cell_at_pixel(px, py), value);
    if (stroke_->changed_on_press()) refresh();
}

void TdlgMapEditor::pbMouseMove(int px, int py) {
    if (stroke_ && stroke_->drag_to(grid_, cell_at_pixel(px, py))) refresh();
}

void TdlgMapEditor::pbMouseUp() {
    stroke_.reset();
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
    grid_ = MapGrid();
    refresh();
}

void TdlgMapEditor::BitBtn1Click() {
    memconn_->clear();
}

void TdlgMapEditor::BitBtn2Click() {
    cbo_->setCurrentIndex(0);
}

void TdlgMapEditor::memconnChange() {
    refresh();
}

void TdlgMapEditor::refresh() {
    drawings_ = draw_connections(memconn_->toPlainText().toStdString(), grid_);
    lblerror_->setVisible(has_invalid_connection(drawings_));
    show_status();
    pb_->update();
}

bool TdlgMapEditor::FormCloseQuery() {
    const auto connections = saved_connections(memconn_->toPlainText().toStdString());
    if (!connections) {
        dialogs_.show_message(MessageKind::error, invalid_connections_message);
        return false;
    }
    memconn_->setPlainText(joined(*connections));

    if (const auto area = area_missing_connection_point(grid_)) {
        dialogs_.show_message(MessageKind::error, missing_connection_point_message(*area));
        return false;
    }

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
