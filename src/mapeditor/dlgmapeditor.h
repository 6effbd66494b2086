#pragma once
// The map editor (`TdlgMapEditor`): paints the areas of one map over its
// picture, sets each area's connection point and edits the connections
// shared by all maps. It reads "map" + N + ".qn", "map" + N + ".gif",
// "connections.qn" and "rooms.qnr", and saves the map and the connections
// together on Ctrl+S and on closing. Every change of cells and connections can
// be taken back. Every message goes through the Dialogs it is given.

#include <QDialog>
#include <QImage>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "mapeditor/map_editor_seam.h"
#include "project/map_connections.h"
#include "project/map_edit_history.h"
#include "project/map_editing.h"
#include "foundation/map_files.h"

class QAction;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace quenlo {
class Dialogs;
}

namespace quenlo::mapeditor {

class MapPaintBox;

class TdlgMapEditor : public QDialog, public app::MapEditorDialog {
    Q_OBJECT
public:
    explicit TdlgMapEditor(Dialogs& dialogs, QWidget* parent = nullptr);

    // MapEditorDialog: fills the editor from the files of map `map_number`
    // in `folder` (ending with the separator); false after a warning when a
    // file is missing or invalid. A missing "rooms.qnr" raises its file error.
    bool load(const std::string& folder, int map_number) override;
    QDialog& dialog() override { return *this; }

    // The close request: validates, asks and saves. True when the editor
    // may close. Every way of closing the dialog goes through it.
    bool FormCloseQuery();

    const MapGrid& grid() const { return grid_; }

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void create_controls();
    void create_commands();
    void fit_screen();
    void fill_rooms(const std::string& folder);

    void pbMouseDown(int px, int py, Qt::MouseButton button);
    void pbMouseMove(int px, int py);
    void pbMouseUp();
    void show_status();
    void btndellogClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void memconnChange();
    void saveClick();
    void undoClick();
    void redoClick();

    MapEditorState state() const;
    void remember(MapChange change);
    void restore(const MapEditorState* state);
    void enable_history_commands();
    // The connections to save once they and the cells pass the checks, or
    // nothing after the error box.
    std::optional<std::vector<std::string>> checked_connections();
    // After any change of cells or connections: what the lines draw,
    // whether one is invalid, and a new picture.
    void refresh();

    // Writes both files; false after showing the error.
    bool save(const std::string& map_text, const std::vector<std::string>& connections);

    Dialogs& dialogs_;
    std::string folder_;
    int map_number_ = 0;
    MapGrid grid_;
    QImage picture_;
    std::vector<ConnectionDrawing> drawings_;
    std::map<int, std::string> room_names_;
    std::optional<PaintStroke> stroke_;
    std::optional<MapCell> pointer_cell_;  // under the pointer, for the status line
    MapEditHistory history_{MapEditorState{}};
    MapChange text_change_ = MapChange::typing;  // what the next text change is
    bool restoring_ = false;                     // undo or redo is putting back a state

    QComboBox* cbo_ = nullptr;
    QToolButton* BitBtn2_ = nullptr;
    QToolButton* btndellog_ = nullptr;
    MapPaintBox* pb_ = nullptr;
    QLabel* lblstatus_ = nullptr;
    QPlainTextEdit* memconn_ = nullptr;
    QLabel* lblerror_ = nullptr;
    QToolButton* BitBtn1_ = nullptr;
    QPlainTextEdit* memrooms_ = nullptr;
    QAction* actUndo_ = nullptr;
    QAction* actRedo_ = nullptr;
    QAction* actSave_ = nullptr;
};

// Makes a new editor for each "Map N editor" command of the main window.
app::MapEditorFactory map_editor_factory();

}  // namespace quenlo::mapeditor
