#pragma once
// A large project that builds: the benchmarks time whole builds of it, and the
// tests check that it builds. Every count is a parameter.

#include <cstddef>
#include <string>

namespace quenlo::bench {

struct LargeProjectSize {
    int rooms = 79;                         // rooms 1 to `rooms`, each with an exit to the next
    int texts_per_room = 5;                 // picked by a variable when more than one
    int objects = 288;                      // every object: the rooms' fixtures and exits included
    int variables = 100;                    // at least 3
    std::size_t script_bytes = 200 * 1024;  // actions, functions, conditions, counters
    bool with_map = true;                   // a map picture, three grids and the connections
    int showx_calls = 300;                  // "f_showx(" calls in the actions
    int appendx_calls = 300;                // "f_appendx(" calls in the conditions
    int text_copies = 1;                    // how often each long sentence of rooms and objects
    std::size_t map_picture_bytes = 300 * 1024;    // each of the three map pictures
    std::size_t story_picture_bytes = 100 * 1024;  // the cover, fail and success pictures
};

// The largest project Quenlo accepts, and one twice its size in everything
// that has no limit (scripts, texts, pictures).
LargeProjectSize largest_project();
LargeProjectSize doubled_largest_project();

// Writes the project's files into `folder`, which must exist. Each room has a
// fixture object linked from every text and an exit object in its first text;
// the remaining objects float in the rooms, with menus, multi-line texts and
// ":found:" lists.
void write_large_project(const std::string& folder, const LargeProjectSize& size = {});

}  // namespace quenlo::bench
