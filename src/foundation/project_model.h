#pragma once
// The project as data: every declaration of its source files and every use of
// a name, each with where it stands. It is read once from the build's sources;
// the compilers, the checks that look at the whole game, the language server
// and the editor all read it, and none of them parses a source file again.
//
// Reading never fails on what an author wrote: a line it cannot read is kept
// as a problem at its place, and reading goes on.

#include <optional>
#include <string>
#include <vector>

#include "foundation/diagnostic.h"
#include "foundation/script_calls.h"
#include "foundation/text_range.h"

namespace quenlo {

// A name or a word and where it is written.
struct Written {
    std::string text;
    TextRange range;

    bool empty() const { return text.empty(); }
};

// {shown|_object_} or, for an exit, {shown|_object_|verb|_rDestination_}.
struct RoomLink {
    std::string shown;
    Written object;
    std::string verb;     // exits only
    Written destination;  // exits only
    bool exit = false;
    std::size_t open = 0;  // offsets of its braces in the text's joined form
    std::size_t close = 0;
};

// One of a room's texts (a room has up to five, divided by "§"): its lines
// joined trimmed, each followed by a blank, as the runtime shows them.
struct RoomText {
    std::string joined;
    std::vector<std::size_t> lines;        // from 0
    std::vector<RoomLink> links;           // in order, up to the first malformed one
    std::optional<std::size_t> malformed;  // the offset of the link that cannot be read
};

struct RoomDecl {
    int number = -1;  // from its header "{*#3}"
    bool start = false;
    bool dialog = false;
    bool hidden = false;  // "#": not discovered on the map by entering it
    std::size_t header_line = 0;
    Written identifier;  // "_rCantina_"
    Written selector;    // the variable after "|", which picks the text
    std::vector<RoomText> texts;
};

// One line of an object, or a value or menu over several: a property
// (":weight: 5", ":desc.examine: ..." going on over its following lines), a
// line of flags (":examinable takeable"), or a menu and its code.
struct ObjectItem {
    enum class Kind { property, flags, menu };
    Kind kind = Kind::property;
    std::string key;  // ":weight:"; ":menu:"; empty for flags
    std::string
        value;  // trimmed; a long value's lines joined by blanks after a blank; the flag line
    std::size_t line = 0;                 // from 0
    std::size_t end_line = 0;             // the line after it
    TextRange value_range;                // on its first line
    std::vector<std::size_t> menu_lines;  // a menu's lines of code, from 0
};

struct ObjectDecl {
    Written id;  // in its header "{_lampada_}"
    std::size_t header_line = 0;
    std::size_t end_line = 0;             // the line after its last one
    std::vector<ObjectItem> items;        // in the order written
    std::vector<Written> found;           // the names of its ":found:" lines
    Written room;                         // the value of ":room:", when a name
    Written direction;                    // the value of ":direction:", when a name
    std::vector<std::string> menu_verbs;  // the verbs its menu offers as plain texts
    std::vector<Written> menu_names;      // the game names its menu's code uses
};

struct MessageDecl {
    int number = 0;
    std::size_t header_line = 0;
    std::vector<std::size_t> lines;  // of its text, from 0
    std::string joined;              // trimmed lines, each followed by a blank
};

struct VariableDecl {
    int index = 0;
    Written name;
    int value = 0;
    std::size_t line = 0;
};

struct ScriptFile {
    std::string file;                // "actions.qna"
    std::vector<Written> functions;  // "function f_apri(" declares f_apri
    std::vector<Written> names;      // the game names its code and texts use
    ScriptUses uses;
};

// Where a name is used, other than where it is declared.
struct NameUse {
    enum class Role {
        link,
        exit_destination,
        selector,
        room_property,
        direction_property,
        found,
        menu,
        script
    };
    std::string name;
    std::string file;
    TextRange range;
    Role role = Role::script;
};

// What one reader made of its file. Each stops at the first line that breaks
// the file's form, as the build does, and keeps that problem as `stop`; what it
// read before stays.
struct Reading {
    std::optional<Diagnostic> stop;
};
struct MessagesReading : Reading {
    std::vector<MessageDecl> messages;  // in the order of the file
};
struct VariablesReading : Reading {
    std::vector<VariableDecl> variables;
};
// A stop inside a room's identifier line comes after its header, which is
// kept as the last room.
struct RoomsReading : Reading {
    std::vector<RoomDecl> rooms;
    bool stop_at_identifier = false;
};
struct ObjectsReading : Reading {
    std::vector<ObjectDecl> objects;
};

struct ProjectModel {
    MessagesReading messages;
    VariablesReading variables;
    RoomsReading rooms;
    ObjectsReading objects;
    std::vector<ScriptFile> scripts;
    std::vector<NameUse> uses;
    // Lines that cannot be read, names declared twice, names used and never
    // declared: the project's errors, each at its place, in the order of the
    // build's phases.
    std::vector<Diagnostic> problems;
};

}  // namespace quenlo
