#include "project/program_base.h"

#include "core/build_log.h"
#include "core/error.h"
#include "core/project_files.h"
#include "core/workspace.h"

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
