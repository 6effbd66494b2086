#include "project/map_edit_history.h"

namespace quenlo {

namespace {

// A grid is a few kilobytes: this many steps stay well under a few megabytes.
constexpr std::size_t most_states = 500;

}  // namespace

MapEditHistory::MapEditHistory(MapEditorState opened) {
    states_.push_back(std::move(opened));
}

void MapEditHistory::record(const MapEditorState& state, MapChange kind) {
    if (state == states_[current_]) return;
    states_.resize(current_ + 1);
    const bool typing = kind == MapChange::typing;
    if (typing && typing_ && current_ > 0) {
        states_[current_] = state;
        return;
    }
    if (states_.size() == most_states) states_.pop_front();
    states_.push_back(state);
    current_ = states_.size() - 1;
    typing_ = typing;
}

const MapEditorState* MapEditHistory::undo() {
    if (!can_undo()) return nullptr;
    typing_ = false;
    return &states_[--current_];
}

const MapEditorState* MapEditHistory::redo() {
    if (!can_redo()) return nullptr;
    typing_ = false;
    return &states_[++current_];
}

}  // namespace quenlo
