#include "backend/output_files.h"

#include "checks/definition_name.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/safe_write.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

// Each line of the page followed by CR LF. A page that breaks its lines by CR
// LF alone is written as it stands, without a copy.
void write_page(const std::string& path, std::string_view page) {
    if (!has_only_crlf_breaks(page)) {
        write_file_safely(path, as_crlf_file(page));
        return;
    }
    const bool ends_line = page.empty() || page.ends_with(crlf);
    write_file_safely(path, {page, ends_line ? std::string_view() : crlf});
}

}  // namespace

void write_output_files(Build& build) {
    // The name is checked as the author wrote it; a message that its
    // conversion left empty (a comment) names no page.
    const std::string& name = build.page_name;
    if (!trim(build.message(50)).empty()) {
        if (!is_definition_name(name)) throw Error("Invalid file name: " + name);
        build.debug_file_name = name + "_debug";
        build.release_file_name = name;
    }
    write_page(build.path(build.debug_file_name + ".html"), build.redebug);
    if (build.release) write_page(build.path(build.release_file_name + ".html"), build.rerelease);
}

}  // namespace quenlo
