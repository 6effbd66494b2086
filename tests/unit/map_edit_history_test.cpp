// Taking changes of a map back and doing them again.

#include "project/map_edit_history.h"

#include <gtest/gtest.h>

namespace quenlo {
namespace {

MapEditorState with_cell(int value, std::string connections = "") {
    MapEditorState state;
    state.grid.set_cell(1, 1, value);
    state.connections = std::move(connections);
    return state;
}

TEST(MapEditHistory, UndoAndRedoWalkTheStates) {
    MapEditHistory history(with_cell(0));
    EXPECT_EQ(history.undo(), nullptr);
    history.record(with_cell(1), MapChange::cells);
    history.record(with_cell(1), MapChange::cells);  // no change, no step
    history.record(with_cell(2), MapChange::cells);
    EXPECT_EQ(*history.undo(), with_cell(1));
    EXPECT_EQ(*history.undo(), with_cell(0));
    EXPECT_EQ(history.undo(), nullptr);
    EXPECT_EQ(*history.redo(), with_cell(1));
    // A new change drops what could have been done again.
    history.record(with_cell(5), MapChange::cells);
    EXPECT_FALSE(history.can_redo());
    EXPECT_EQ(*history.undo(), with_cell(1));
}

TEST(MapEditHistory, TypingIsOneStepUntilSomethingElseHappens) {
    MapEditHistory history(with_cell(0));
    history.record(with_cell(0, "3"), MapChange::typing);
    history.record(with_cell(0, "3,"), MapChange::typing);
    history.record(with_cell(0, "3,7"), MapChange::typing);
    history.record(with_cell(4, "3,7"), MapChange::cells);
    history.record(with_cell(4, "3,7\n1"), MapChange::typing);
    EXPECT_EQ(*history.undo(), with_cell(4, "3,7"));
    EXPECT_EQ(*history.undo(), with_cell(0, "3,7"));
    EXPECT_EQ(*history.undo(), with_cell(0));
    // Typing after an undo starts a step of its own.
    history.record(with_cell(0, "9"), MapChange::typing);
    EXPECT_EQ(*history.undo(), with_cell(0));
}

}  // namespace
}  // namespace quenlo
