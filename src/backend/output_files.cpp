#include "backend/output_files.h"

#include "checks/definition_name.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/safe_write.h"
#include "foundation/text.h"

namespace quenlo {

void write_output_files(Build& build) {
    // The name is checked as the author wrote it; a message that its
    // conversion left empty (a comment) names no page.
    const std::string& name = build.page_name;
    if (!trim(build.message(50)).empty()) {
        if (!is_definition_name(name)) throw Error("Invalid file name: " + name);
        build.debug_file_name = name + "_debug";
        build.release_file_name = name;
    }
    write_file_safely(build.path(build.debug_file_name + ".html"), as_crlf_file(build.redebug));
    if (build.release)
        write_file_safely(build.path(build.release_file_name + ".html"),
                          as_crlf_file(build.rerelease));
}

}  // namespace quenlo
