#include "storylayout/story_layout.h"

#include <stdexcept>
#include <string>
#include <variant>

#include "foundation/error.h"
#include "foundation/program_module.h"
#include "storymap/dot_writer.h"

namespace quenlo {

namespace {

const GraphvizEntry& graphviz() {
    static const std::variant<const GraphvizEntry*, std::string> loaded =
        []() -> std::variant<const GraphvizEntry*, std::string> {
        try {
            return reinterpret_cast<GraphvizEntryFunction>(program_module_symbol(
                "libquenlo_graphviz.so", QUENLO_GRAPHVIZ_MODULE_BUILT, graphviz_entry_symbol))();
        } catch (const std::runtime_error& failure) {
            return std::string(failure.what());
        }
    }();
    if (const auto* why = std::get_if<std::string>(&loaded))
        throw Error("Graphviz cannot start: " + *why);
    return *std::get<const GraphvizEntry*>(loaded);
}

// Graphviz's failures, as the build's errors.
template <typename Call>
auto told_as_error(Call&& call) {
    try {
        return call();
    } catch (const Error&) {
        throw;
    } catch (const std::runtime_error& failure) {
        throw Error(failure.what());
    }
}

}  // namespace

StoryLayout lay_out_story(const StoryGraph& graph) {
    return told_as_error([&] {
        return graphviz().lay_out(story_dot(graph), graph.rooms.size(), graph.passages.size());
    });
}

std::string story_svg(const StoryGraph& graph) {
    return told_as_error([&] { return graphviz().svg(story_dot(graph)); });
}

}  // namespace quenlo
