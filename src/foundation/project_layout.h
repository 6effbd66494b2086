#pragma once
// The files of a project folder and what each holds, as every layer names
// them: the build reads them in this order, the model and the editors find
// declarations by their roles.

#include <array>
#include <string_view>

namespace quenlo {

enum class SourceRole { messages, rooms, objects, variables, script, story_text, introduction };

struct SourceFileKind {
    std::string_view name;
    SourceRole role;
    bool optional = false;
};

inline constexpr std::array<SourceFileKind, 12> source_files = {{
    {"help.qni", SourceRole::story_text},
    {"messages.qnr", SourceRole::messages},
    {"rooms.qnr", SourceRole::rooms},
    {"objects.qno", SourceRole::objects},
    {"variables.qnv", SourceRole::variables},
    {"actions.qna", SourceRole::script},
    {"functions.qna", SourceRole::script, true},
    {"conditions.qna", SourceRole::script},
    {"counters.qna", SourceRole::script},
    {"success.qni", SourceRole::story_text},
    {"fail.qni", SourceRole::story_text},
    {"intro.qni", SourceRole::introduction},
}};

// The maps and the pictures, each optional for the build to read.
inline constexpr std::array<std::string_view, 4> map_files = {"map1.qn", "map2.qn", "map3.qn",
                                                              "connections.qn"};
inline constexpr std::array<std::string_view, 6> picture_files = {
    "coverimage.qn", "failimage.qn", "successimage.qn",
    "mapimage1.qn",  "mapimage2.qn", "mapimage3.qn"};

}  // namespace quenlo
