#pragma once
// Where the map editor plugs into the main window. The window asks the
// factory for an editor each time a "Map N editor" command runs and discards
// it afterwards; without a factory the commands say the editor is missing.

#include <functional>
#include <memory>
#include <string>

class QDialog;
class QWidget;

namespace quenlo {
class Dialogs;
}

namespace quenlo::app {

class MapEditorDialog {
public:
    virtual ~MapEditorDialog() = default;
    // Fills the editor from the files of map `map_number` in `folder`, which
    // ends with the separator. False when it cannot open the map; it has then
    // shown its own warning and is never shown itself.
    virtual bool load(const std::string& folder, int map_number) = 0;
    virtual QDialog& dialog() = 0;
};

// Makes an editor whose messages go through `dialogs`.
using MapEditorFactory =
    std::function<std::unique_ptr<MapEditorDialog>(QWidget* parent, Dialogs& dialogs)>;

}  // namespace quenlo::app
