#pragma once
// A story graph in Graphviz's DOT language, for documents and for the layout.
// Each node and edge carries an id ("r0", "p0": its index) so that what
// Graphviz lays out can be matched with the graph again.

#include <string>
#include <string_view>

#include "storymap/story_graph.h"

namespace quenlo {

std::string story_dot(const StoryGraph& graph);

// `text` as a DOT double-quoted string, quotes included: '"' and '\' escaped,
// line breaks as "\n"; UTF-8 passes unchanged.
std::string dot_quoted(std::string_view text);

}  // namespace quenlo
