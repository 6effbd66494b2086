#pragma once
// The readers of the project's files into the model, one for each kind of file.

#include <optional>
#include <vector>

#include "foundation/project_model.h"
#include "foundation/project_sources.h"

namespace quenlo {

MessagesReading read_messages(const SourceFile& file);

VariablesReading read_variables(const SourceFile& file);

RoomsReading read_rooms(const SourceFile& file);

ObjectsReading read_objects(const SourceFile& file);

ScriptFile read_script(const SourceFile& file);

// A problem of the file at line `index` (from 0), without a column.
Diagnostic problem_at(const SourceFile& file, std::size_t index, std::string text);

}  // namespace quenlo
