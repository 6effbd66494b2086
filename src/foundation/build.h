#pragma once
// One build's state: what the phases of the pipeline hand to each other, in
// one object. Each phase is a function that takes the build, reads what
// earlier phases left in it and writes its own part.

#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "foundation/build_log.h"
#include "foundation/diagnostic.h"
#include "foundation/project_model.h"
#include "foundation/project_sources.h"
#include "foundation/script_calls.h"
#include "foundation/source_location.h"
#include "foundation/symbol_table.h"

namespace quenlo {

// The option switches of the Project menu; they outlive a build.
struct Switches {
    bool skip_unknown_check = false;
    bool skip_characters_check = true;
    bool skip_images_merging = false;
};

// An exit that a link of a room's text declares: an object of its own, which
// the objects compiler adds after the author's.
struct Exit {
    std::string object;
    std::string verb;
    std::string destination;
    SourceLocation object_place;  // on the link's object name
    SourceLocation destination_place;
};

// What the objects compiler learnt of an object, for the checks that look at
// the whole game.
struct ObjectFacts {
    std::string id;
    SourceLocation where;  // its header; not known() for the exit of a link
    bool fixed = false;    // named by a link of a room's text
    bool exit = false;     // an exit: declared by an exit link, or with ":desc.direction:"
    int room = 0;          // 0 out of play, -1 carried, -2 worn, else a room index
    int direction = 0;     // the room an exit leads to; 0 none
    bool examinable = false;
    bool takeable = false;  // takeable or wearable
    int weight = 0;
    SourceLocation found;                  // its first ":found:" line; not known() without one
    std::vector<std::string> found_names;  // the objects its ":found:" lines name
    // What its menu offers: the built-in verbs that its flags and place give
    // it, as the numbers of their messages (18 use with ... 44 talk), and its
    // own exit verb and ":menu:" verbs, as the game compares them (see
    // verb_key); `verbs_known` is false when a menu adds a verb no check can read.
    std::vector<int> verb_messages;
    std::vector<std::string> verbs;
    bool verbs_known = true;
};

class Build {
public:
    Build(std::string project_folder, Switches switches, bool release, BuildLog& log,
          const std::atomic<bool>& stop)
        : project_folder(std::move(project_folder)),
          sources(this->project_folder),
          switches(switches),
          release(release),
          log(log),
          stop_(stop) {}

    // Lets the user interface run pending events, then fails the build with
    // an empty message if the stop button was pressed.
    void poll_stop();
    bool stop_requested() const { return stop_.load(std::memory_order_relaxed); }

    // project folder + separator + file name
    std::string path(std::string_view file_name) const;

    // Records that generated line `code` was made from lines `first` to
    // `last` (from 1; `last` 0 for `first` alone) of the project file `file`.
    void note_generated(std::string code, std::string_view file, std::size_t first,
                        std::size_t last = 0) {
        generated_lines.push_back(
            {std::move(code), std::string(file), first, last < first ? first : last});
    }

    // Message `n` as compiled into `lstmsg`, or "" when there is none.
    const std::string& message(std::size_t n) const;

    const std::string project_folder;
    ProjectSources sources;             // every project file, read once
    std::optional<ProjectModel> model;  // read from the sources when first asked for
    const Switches switches;
    const bool release;
    BuildLog& log;

    std::string page;          // the page being built
    std::string release_text;  // the release page's text; a build copies only its switched lines
    std::string redebug;       // the HTML part, later the finished debug page
    std::string rerelease;     // the finished release page

    bool map_enabled = false;
    int start_room = 1;
    SymbolTable symbols;                         // every variable, room and object declared
    std::vector<std::string> room_link_objects;  // object identifiers met in room links, in order
    std::string page_name;                       // message 50 as the author wrote it, trimmed
    std::string debug_file_name = "debug";
    std::string release_file_name = "release";

    std::vector<std::string> lstmsg;      // messages: row n is message n
    std::vector<std::string> lstvar;      // variables by index
    std::vector<std::string> lstroom;     // rooms by index
    std::vector<std::string> lstobj;      // object identifiers
    std::vector<std::string> lstobjroom;  // objects named in room links

    // Where generated code came from in the project files, for the unknown
    // identifier check; and the "objects.qno" line (from 1) of each line of
    // `reAddMenu`, 0 for the lines that frame a menu.
    std::vector<GeneratedLine> generated_lines;
    std::vector<std::size_t> reAddMenu_lines;

    std::vector<Exit> exits;              // in the order of the room links
    std::vector<ObjectFacts> objects;     // in the order compiled
    std::vector<ScriptUses> script_uses;  // of each script file merged
    // The first header of each message, row n for message n, not known() for
    // one the file lacks; row 0 is the file's first line.
    std::vector<SourceLocation> message_headers;
    // Every name written in the story texts, "rooms.qnr" and "objects.qno"
    // (menus included), for the checks that look for a name's uses.
    std::unordered_set<std::string> text_names;

    // The silent faults found on the way; none of them fails the build.
    std::vector<Diagnostic> warnings;
    // Adds the warning `name` at `where`; one without a place is dropped, as
    // an author could not find what it speaks of.
    void warn(std::string text, SourceLocation where, std::string name) {
        if (where.known())
            warnings.push_back(
                {Severity::warning, std::move(text), std::move(where), {}, std::move(name)});
    }

    // Generated code carried from the compilers to the script sections.
    std::string reAddMenu;
    std::string reAddAction;
    std::string reAddCond;
    std::string reAddCounter;

private:
    const std::atomic<bool>& stop_;
};

}  // namespace quenlo
