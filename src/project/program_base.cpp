#include "project/program_base.h"

#include "foundation/build_log.h"
#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/workspace.h"

namespace quenlo {

void load_program_base(Workspace& workspace, BuildLog& log) {
    const std::string path = workspace.program_folder + "base.qn";
    if (!file_exists(path)) return;
    try {
        workspace.reDefault.load_base_override(path);
    } catch (const Error&) {
        return;
    }
    log.log_line(
        "\xC2\xA3"
        "Found base.qn file: " +
        path);
}

}  // namespace quenlo
