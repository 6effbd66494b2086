#pragma once
// The explorer's hands in the game page: a script put into the page that
// lists the player's choices from the runtime's own menus, applies one by
// laying a saved-game record into slot 0 and calling the turn, presses the
// dialog's continue until it closes, and catches what the turn throws.

#include <set>
#include <string>
#include <vector>

#include "explore/game_browser.h"

namespace quenlo {

// One choice a player has: its words as the player sees them and the action
// string the runtime runs.
struct Choice {
    std::vector<std::string> words;  // word, verb, sub-item
    std::string action;
    std::string short_text;  // the word's object's short description
};

// A script error caught in the page, at its line there.
struct PageError {
    std::string message;
    std::size_t line = 0;  // from 1; 0 when the stack named no page line
    std::size_t column = 0;
};

// What one choice did.
struct Outcome {
    std::string record;  // slot 0 afterwards; empty after the end of the game
    int room = 0;        // the runtime's room (99 won, -1 lost)
    bool handled = false;  // some action, exit or built-in verb answered
    // With states told apart in the page: the state's number, and whether it
    // is new (only then are the record and choices given); -1 otherwise.
    int state = -1;
    bool new_state = false;
    std::vector<PageError> errors;  // thrown by the turn or by a word's menu
    std::vector<Choice> choices;    // offered afterwards
    std::vector<std::string> words_shown;  // object identifiers that were words
    std::vector<std::string> texts;        // the dialog's screens, then the page
    bool won() const { return room == 99; }
    bool lost() const { return room == -1; }
};

// The player's name for a choice: "word > verb > item".
std::string choice_text(const Choice& choice);

class GameAgent {
public:
    // Puts the agent into the page open in `browser`, starting a new game.
    explicit GameAgent(GameBrowser& browser);

    // A new game: the state of the cover page, with no record.
    Outcome start(bool dedup = false);
    // Applies each action to the game saved as `record` (empty: no saved
    // game), in one visit to the page. With `texts`, also what was shown;
    // with `dedup`, states met before are told by their number only.
    std::vector<Outcome> apply(const std::string& record, const std::vector<std::string>& actions,
                               bool texts, bool dedup = false);
    // The variables that tell no states apart (see untested_variables.h).
    void set_untested(const std::set<int>& variables);
    // The room identifiers by index (1 to 79; empty where none) and the
    // compiled objects' identifiers with whether they can be words.
    std::vector<std::string> room_ids();
    std::vector<std::pair<std::string, bool>> object_ids();
    std::string continue_label();
    // The texts of the built-in verbs (use with, examine, take ...).
    std::vector<std::string> builtin_verbs();

private:
    GameBrowser& browser_;
};

}  // namespace quenlo
