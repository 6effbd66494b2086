#include "backend/output_files.h"

#include "checks/definition_name.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

// Each line of the page followed by CR LF. A page that breaks its lines by CR
// LF alone is written as it stands, without a copy.
StagedFile stage_page(const std::string& path, std::string_view page) {
    if (!has_only_crlf_breaks(page)) return StagedFile(path, {as_crlf_file(page)});
    const bool ends_line = page.empty() || page.ends_with(crlf);
    return StagedFile(path, {page, ends_line ? std::string_view() : crlf});
}

// Nothing is staged under a name that will be refused.
std::future<std::optional<StagedFile>> staged(const std::optional<std::string>& invalid_name,
                                              std::string path, std::string_view page) {
    if (invalid_name) return {};
    return std::async(std::launch::async, [path = std::move(path), page] {
        return std::optional<StagedFile>(stage_page(path, page));
    });
}

}  // namespace

PageWriter::PageWriter(const Build& build) {
    // The name is checked as the author wrote it; a message that its
    // conversion left empty (a comment) names no page.
    debug_name_ = build.debug_file_name;
    release_name_ = build.release_file_name;
    const std::string& name = build.page_name;
    if (!trim(build.message(50)).empty()) {
        if (!is_definition_name(name)) invalid_name_ = name;
        debug_name_ = name + "_debug";
        release_name_ = name;
    }
    debug_ = staged(invalid_name_, build.path(debug_name_ + ".html"), build.redebug);
}

void PageWriter::stage_release(const Build& build) {
    release_ = staged(invalid_name_, build.path(release_name_ + ".html"), build.rerelease);
}

void PageWriter::commit(Build& build) {
    if (invalid_name_) throw Error("Invalid file name: " + *invalid_name_);
    std::optional<StagedFile> debug = debug_.get();
    if (build.release && !release_.valid()) stage_release(build);
    std::optional<StagedFile> release = build.release ? release_.get() : std::nullopt;
    build.debug_file_name = debug_name_;
    build.release_file_name = release_name_;
    debug->commit();
    if (release) release->commit();
}

void write_output_files(Build& build) {
    PageWriter writer(build);
    if (build.release) writer.stage_release(build);
    writer.commit(build);
}

}  // namespace quenlo
