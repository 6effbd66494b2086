// Source files made of the authoring language's own punctuation, shuffled:
// every phase either compiles them or stops with its error, never crashes,
// never hangs.

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "compilers/compile_messages.h"
#include "compilers/compile_objects.h"
#include "compilers/compile_rooms.h"
#include "compilers/compile_variables.h"
#include "merges/map_merge.h"
#include "merges/script_sections.h"
#include "merges/story_texts.h"
#include "support/build_harness.h"

namespace quenlo {
namespace {

// Lines built from pieces that mean something to one compiler or another.
std::string junk_source(std::mt19937& random) {
    static const char* const pieces[] = {"{",
                                         "}",
                                         "|",
                                         "_",
                                         ":",
                                         "\xC2\xA7",
                                         "\"",
                                         "'",
                                         "''",
                                         "//",
                                         ";",
                                         "++",
                                         "-",
                                         "*",
                                         "#",
                                         "1",
                                         "7",
                                         "79",
                                         "80",
                                         "-1",
                                         "0",
                                         "a",
                                         "_rA_",
                                         "_o_",
                                         "_vA_",
                                         "{_",
                                         "_}",
                                         ":menu:",
                                         ":room:",
                                         ":found:",
                                         ":direction:",
                                         ":desc.examine:",
                                         ":weight:",
                                         "=",
                                         " ",
                                         "\t",
                                         ",",
                                         "\xC3\xA8",
                                         "^",
                                         "&",
                                         "<",
                                         "{_$$$_}",
                                         "-f_inventory();",
                                         "\xFF"};
    std::uniform_int_distribution<int> count(0, 12);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::string text;
    for (int line = count(random) * 3; line > 0; --line) {
        for (int piece = count(random); piece > 0; --piece) text += pieces[pick(random)];
        text += line % 5 ? "\r\n" : "\n";
    }
    return text;
}

TEST(CompilersOnJunk, EveryPhaseCompilesOrStopsWithItsError) {
    std::mt19937 random(20240601);
    int compiled = 0;
    int stopped = 0;
    for (int round = 0; round < 150; ++round) {
        test::PhaseHarness h(test::Files{{"messages.qnr", junk_source(random)},
                                         {"variables.qnv", junk_source(random)},
                                         {"rooms.qnr", junk_source(random)},
                                         {"objects.qno", junk_source(random)},
                                         {"actions.qna", junk_source(random)},
                                         {"conditions.qna", junk_source(random)},
                                         {"counters.qna", junk_source(random)},
                                         {"help.qni", junk_source(random)},
                                         {"success.qni", junk_source(random)},
                                         {"fail.qni", junk_source(random)},
                                         {"intro.qni", junk_source(random)},
                                         {"mapimage1.qn", junk_source(random)},
                                         {"map1.qn", junk_source(random)},
                                         {"connections.qn", junk_source(random)}});
        h.build.page = "___MESSAGES___ ___ROOMS___ ___OBJECTS___ ___ACTIONS___ ___MAP1___";
        // Each phase on its own, so that a failure of one does not hide the next.
        const std::vector<std::function<void()>> phases = {
            [&] { compile_messages(h.build); },
            [&] { compile_variables(h.build); },
            [&] { compile_rooms(h.build); },
            [&] { compile_objects(h.build); },
            [&] { merge_menus(h.build); },
            [&] { merge_script_sections(h.build); },
            [&] { merge_story_texts(h.build); },
            [&] {
                test_map_image(h.build);
                merge_maps(h.build);
            },
        };
        for (const auto& phase : phases) {
            try {
                phase();
                ++compiled;
            } catch (const Error&) {
                ++stopped;
            }
        }
    }
    // Both outcomes occur, so the junk reaches past the first checks.
    EXPECT_GT(compiled, 150);
    EXPECT_GT(stopped, 150);
}

}  // namespace
}  // namespace quenlo
