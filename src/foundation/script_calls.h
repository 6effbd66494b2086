#pragma once
// What an author's script does with the game's names, as data: every call of
// a function with its arguments, where the argument is one double-quoted text
// or one number, and every name the code uses. The checks that look at the
// whole game read these; nothing parses the script text again.

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

namespace quenlo {

struct ScriptArgument {
    enum class Kind { text, number, other };
    Kind kind = Kind::other;
    std::string value;  // a text's content without its quotes, a number's digits
};

struct ScriptCall {
    std::string function;  // "f_moveplayer"
    std::vector<ScriptArgument> arguments;
    std::size_t line = 0;  // of the function's name, from 1
    std::size_t column = 0;
};

// A bracket of code that nothing closes, or that closes what it does not open.
struct UnmatchedBracket {
    char bracket = 0;  // 0: every bracket matches
    std::size_t line = 0;
    std::size_t column = 0;
};

// A game name ("_rCantina_") in the code or as a whole quoted text, at its
// first character (in a text, the one after the quote).
struct NamePlace {
    std::string name;
    std::size_t line = 0;    // from 1
    std::size_t column = 0;  // from 1, in characters
};

struct ScriptUses {
    std::string file;  // the project file's name
    std::vector<ScriptCall> calls;
    std::unordered_set<std::string> names;  // every name of the code
    std::vector<NamePlace> game_names;      // in the order written
    UnmatchedBracket unmatched;             // the first one
};

}  // namespace quenlo
