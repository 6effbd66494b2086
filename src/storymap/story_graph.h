#pragma once
// The shape of a story as data: its rooms and the ways between them, read
// from the project model. Exits (links in a room's text, objects with a
// :direction:) lead from the room they stand in; a move by f_moveplayer leads
// from the room where its code runs when that can be told. A room that
// nothing leads to, other than the start room, cannot be reached.

#include <cstddef>
#include <string>
#include <vector>

#include "foundation/project_model.h"
#include "foundation/project_sources.h"

namespace quenlo {

struct StoryRoom {
    std::string name;  // "_rGiardino_"
    int number = -1;
    bool start = false;
    bool dialog = false;
    bool hidden = false;
    bool unreachable = false;
    std::size_t header_line = 0;  // of its header in the rooms file, from 1
};

struct StoryPassage {
    enum class Kind { exit, move };
    Kind kind = Kind::exit;
    std::size_t from = 0;  // indexes of StoryGraph::rooms
    std::size_t to = 0;
    std::string label;  // an exit's verb; a move's object, when a menu makes it
};

struct StoryGraph {
    std::string rooms_file;  // the path of the rooms file, as the log shows it
    std::vector<StoryRoom> rooms;
    std::vector<StoryPassage> passages;  // each once, in the order first met
};

// The graph of `model`, read from `sources` (whose object and script files it
// looks into for the code of menus).
StoryGraph story_graph(const ProjectModel& model, const ProjectSources& sources);

// The graph of the project in `folder`, read now. Never fails on what an
// author wrote; a missing rooms file gives a graph without rooms.
StoryGraph read_story_graph(const std::string& folder);

// The room's header with the flags the map gives it: "{*1}", "{:4}", "{#7}".
std::string room_header(const StoryRoom& room);

}  // namespace quenlo
