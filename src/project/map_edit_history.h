#pragma once
// What the map editor can take back: every state of the cells and the
// connections text it went through, and where in that list it stands now.
// Undo steps back, redo forward again; a new change drops what lay ahead.

#include <cstddef>
#include <string>
#include <deque>

#include "foundation/map_files.h"

namespace quenlo {

struct MapEditorState {
    MapGrid grid;
    std::string connections;
    bool operator==(const MapEditorState&) const = default;
};

enum class MapChange {
    cells,   // a click, a stroke or clearing: one step each
    typing,  // editing the connections: one step until something else happens
};

class MapEditHistory {
public:
    explicit MapEditHistory(MapEditorState opened);

    // The editor is now in `state` after a change of kind `kind`. A state
    // equal to the current one is no change.
    void record(const MapEditorState& state, MapChange kind);
    // The state to show after stepping back or forward, or nullptr when
    // there is nothing to take back or to do again.
    const MapEditorState* undo();
    const MapEditorState* redo();
    bool can_undo() const { return current_ > 0; }
    bool can_redo() const { return current_ + 1 < states_.size(); }

private:
    std::deque<MapEditorState> states_;
    std::size_t current_ = 0;
    bool typing_ = false;  // the current state came from typing
};

}  // namespace quenlo
