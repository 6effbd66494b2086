#pragma once
// Reading the whole project into its model, and finding the errors that the
// model alone shows: names used and never declared, declared twice, keys and
// flags misspelt. The build reports the first error it meets by its own phases
// and lists these beside it; editors show them all as the author types.

#include "foundation/build.h"
#include "foundation/project_model.h"
#include "foundation/project_sources.h"

namespace quenlo {

// Every source file the folder has (or `sources` is given), read into the
// model; a file that is missing or cannot be read is left out, as the build
// reports that by itself.
ProjectModel read_project_model(ProjectSources& sources);

// The build's model, read through its sources the first time it is asked for.
const ProjectModel& project_model(Build& build);

}  // namespace quenlo
