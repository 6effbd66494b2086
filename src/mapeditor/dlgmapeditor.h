#pragma once
// The map editor (`TdlgMapEditor`): paints the areas of one map over its
// picture, sets each area's connection point and edits the connections
// shared by all maps. It reads "map" + N + ".qn", "map" + N + ".gif",
// "connections.qn" and "rooms.qnr", and on closing saves the map and the
// connections together. Every message goes through the Dialogs it is given.

#include <QDialog>
#include <QImage>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "mapeditor/map_editor_seam.h"
#include "project/map_connections.h"
#include "project/map_editing.h"
#include "foundation/map_files.h"

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

private:
    void create_controls();
    void fill_rooms(const std::string& folder);

    void pbMouseDown(int px, int py, Qt::MouseButton button);
    void pbMouseMove(int px, int py);
    void pbMouseUp();
    void show_status();
    void btndellogClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void memconnChange();
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

    QComboBox* cbo_ = nullptr;
    QToolButton* BitBtn2_ = nullptr;
    QToolButton* btndellog_ = nullptr;
    MapPaintBox* pb_ = nullptr;
    QLabel* lblstatus_ = nullptr;
    QPlainTextEdit* memconn_ = nullptr;
    QLabel* lblerror_ = nullptr;
    QToolButton* BitBtn1_ = nullptr;
    QPlainTextEdit* memrooms_ = nullptr;
};

// Makes a new editor for each "Map N editor" command of the main window.
app::MapEditorFactory map_editor_factory();

}  // namespace quenlo::mapeditor
