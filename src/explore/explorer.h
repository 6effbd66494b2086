#pragma once
// The search of a game's states: from the cover page, every choice the player
// has, breadth first, each state once, until none is left or time is up.

#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "explore/game_agent.h"

namespace quenlo {

using Path = std::vector<std::string>;  // choices as the player names them

struct ScriptFault {
    PageError error;
    Path path;  // the shortest that causes it
};

// A choice after which the game can no longer be won.
struct LostCause {
    Path path;
    std::string action;  // of its last choice
};

struct Exploration {
    bool complete = false;
    bool stopped = false;  // ended by the stop request rather than the time
    std::size_t states = 0;
    std::size_t choices = 0;
    double seconds = 0;
    std::vector<std::string> room_ids;      // by index, from the page
    std::set<int> rooms_entered;            // indexes
    std::vector<std::string> objects_never_shown;
    std::vector<std::pair<std::string, std::string>> default_only_verbs;  // object, verb
    std::vector<ScriptFault> faults;
    std::vector<LostCause> lost_causes;     // found only by a complete search
    std::vector<Path> wins;                 // one per state a win is one choice from
    std::vector<Path> losses;
    Path shortest_win;                      // empty when none
};

struct ExploreLimits {
    std::chrono::milliseconds time{60000};
    // Called at least every second with a progress line.
    std::function<void(const std::string&)> progress;
    // Asked between visits to the page: true ends the search as time up does.
    std::function<bool()> stopped;
};

// Explores the game open in the agent's page; `page` is its text, whose
// scripts tell which variables are never tested.
Exploration explore(GameAgent& agent, std::string_view page, const ExploreLimits& limits);

}  // namespace quenlo
