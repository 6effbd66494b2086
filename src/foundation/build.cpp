#include "foundation/build.h"

#include "foundation/error.h"
#include "foundation/project_files.h"

namespace quenlo {

void Build::poll_stop() {
    log.events().process_events();
    if (stop_requested()) throw Error("");
}

std::string Build::path(std::string_view file_name) const {
    return project_path(project_folder, file_name);
}

const std::string& Build::message(std::size_t n) const {
    static const std::string none;
    return n < lstmsg.size() ? lstmsg[n] : none;
}

}  // namespace quenlo
