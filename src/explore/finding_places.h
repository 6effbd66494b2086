#pragma once
// Where in the project's files an explorer's finding is shown: a room at its
// header, an object at its declaration, a menu verb at its menu line, a
// choice at the action that answers it or else at its link.

#include <string>
#include <string_view>

#include "foundation/project_sources.h"
#include "foundation/source_location.h"

namespace quenlo {

SourceLocation room_place(ProjectSources& sources, const std::string& room);
SourceLocation object_place(ProjectSources& sources, const std::string& object);
SourceLocation menu_verb_place(ProjectSources& sources, const std::string& object,
                               const std::string& verb);
// `action` as the runtime runs it: "_obj1_|verb|_obj2_".
SourceLocation choice_place(ProjectSources& sources, const std::string& action);
// Line `line` (from 1) of the page itself, for a fault in no author's line.
SourceLocation page_line_place(std::string_view page, const std::string& page_path,
                               std::size_t line);

}  // namespace quenlo
