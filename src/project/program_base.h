#pragma once
// A "base.qn" beside the program replaces the stored base script for the run.

namespace quenlo {

class BuildLog;
struct Workspace;

// Loads "base.qn" from the workspace's program folder when there is one and
// logs "Found base.qn file: " with its path in blue. A file that cannot be
// read is passed over silently and the base script stays as it was.
void load_program_base(Workspace& workspace, BuildLog& log);

}  // namespace quenlo
