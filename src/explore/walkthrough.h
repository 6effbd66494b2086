#pragma once
// Walkthroughs: one choice a line ("word > verb > item"), "#" comments,
// "= TEXT" requiring a text of the choice before, "= WIN" or "= LOSE" as the
// last line requiring the game to end so. Replayed in the game page, the
// first choice not offered or expectation not met is an error at its line.

#include <functional>
#include <string>
#include <vector>

#include "explore/game_agent.h"

namespace quenlo {

struct WalkLine {
    std::size_t number = 0;  // from 1
    enum class Kind { choice, text, win, lose } kind = Kind::choice;
    std::vector<std::string> words;  // a choice's parts
    std::string text;                // an expectation's text
};

// The lines of a walkthrough that say something, comments and blanks left out.
std::vector<WalkLine> read_walkthrough(const std::string& text);

struct Replay {
    bool held = false;
    std::size_t choices = 0;
    std::vector<std::string> errors;  // "WALKTHROUGH:LINE: error: ..." and what follows
};

// Replays `lines` from a new game in the agent's page; `name` is the file as
// the errors show it. Script errors of the page are placed by `place`.
Replay replay(GameAgent& agent, const std::string& name, const std::vector<WalkLine>& lines,
              const std::function<std::vector<std::string>(const PageError&)>& place);

}  // namespace quenlo
