#include "generator/pipeline.h"

#include <ctime>
#include <string>
#include <vector>

#include "backend/check_unknown_identifiers.h"
#include "backend/merge_images.h"
#include "backend/output_files.h"
#include "backend/release_page.h"
#include "backend/rewrite_script_code.h"
#include "checks/check_characters.h"
#include "checks/escape_text.h"
#include "compilers/compile_messages.h"
#include "compilers/compile_objects.h"
#include "compilers/compile_rooms.h"
#include "compilers/compile_variables.h"
#include "foundation/build.h"
#include "foundation/build_log.h"
#include "foundation/error.h"
#include "foundation/source_location.h"
#include "merges/map_merge.h"
#include "foundation/placeholders.h"
#include "foundation/project_files.h"
#include "merges/script_sections.h"
#include "merges/story_texts.h"
#include "foundation/text.h"
#include "foundation/workspace.h"

namespace quenlo {

namespace {

std::string now() {
    const std::time_t t = std::time(nullptr);
    char text[32];
    std::strftime(text, sizeof text, "%d/%m/%Y %H:%M:%S", std::localtime(&t));
    return text;
}

void log_start_line(Build& build) {
    const std::string what = build.release ? "debug and release HTML files" : "debug HTML file";
    build.log.log_line("\xC2\xA3Start generating adventure (" + what + ")... [ " + now() + " ]");
}

// Every source file is read even when the check is switched off, so a missing
// required file ends the build here.
void check_source_characters(Build& build) {
    struct Source {
        std::string_view file;
        CheckKind kind;
    };
    static constexpr Source sources[] = {
        {"help.qni", CheckKind::text},          {"messages.qnr", CheckKind::message},
        {"rooms.qnr", CheckKind::script},       {"objects.qno", CheckKind::script},
        {"variables.qnv", CheckKind::variable}, {"actions.qna", CheckKind::script},
        {"functions.qna", CheckKind::script},   {"conditions.qna", CheckKind::script},
        {"counters.qna", CheckKind::script},    {"success.qni", CheckKind::text},
        {"fail.qni", CheckKind::text},          {"intro.qni", CheckKind::introduction},
    };
    for (const Source& source : sources) {
        const std::string path = build.path(source.file);
        if (source.file == "functions.qna" && !file_exists(path)) continue;  // optional
        check_characters(build, path, source.kind);
        build.poll_stop();
    }
}

// The HTML part moves into the page; nothing reads it again until the
// finished page is stored in its place.
void put_version(Build& build) {
    build.page = std::move(build.redebug);
    replace_placeholder(build.page, "___VERSION___", quenlo_version, build.log);
    build.poll_stop();
}

// The title is HTML, not a script string; an underscore is written as an
// entity so that the name check never reads the title as a name.
void put_title(Build& build) {
    const std::string title = replace_all(string_value(build.message(1)), "_", "&#95;");
    replace_placeholder(build.page, "___TITLE___", title, build.log);
}

void put_start_room(Build& build) {
    replace_placeholder(build.page, "___STARTROOM___", std::to_string(build.start_room), build.log);
    build.poll_stop();
}

// The finished page moves to its place; the release text is taken from there.
void store_debug_page(Build& build) {
    build.poll_stop();
    build.redebug = std::move(build.page);
    build.page.clear();
}

// The phases in the order that makes each table complete before it is read.
void run_phases(Build& build, const BaseScript& base) {
    build.redebug = base.html_part();
    log_start_line(build);
    check_source_characters(build);
    test_map_image(build);
    put_version(build);
    merge_map_switch(build);
    merge_maps(build);
    merge_story_texts(build);
    compile_messages(build);
    build.poll_stop();
    put_title(build);
    compile_variables(build);
    build.poll_stop();
    compile_rooms(build);
    build.poll_stop();
    put_start_room(build);
    compile_objects(build);
    build.poll_stop();
    merge_menus(build);
    build.poll_stop();
    merge_script_sections(build);
    rewrite_script_code(build);
    check_unknown_identifiers(build);
    merge_images(build);
    store_debug_page(build);
    if (build.release) make_release_page(build);
    write_output_files(build);
}

// Restores the window after a build, whatever its outcome.
void end_build(Workspace& workspace, BuildUi& ui) {
    ui.set_building(false);
    workspace.stop = false;
}

void log_success(const Build& build) {
    build.log.log_line("\xC2\xA3Generated: " + build.path(build.debug_file_name + ".html"));
    if (build.release)
        build.log.log_line("\xC2\xA3Generated: " + build.path(build.release_file_name + ".html"));
    build.log.log_line("$Adventure generated successfully!  [ " + now() + " ]");
    build.log.log_line("");
}

// The error line, then where in the project files the fault lies; the dialog
// shows the first place under the error.
void report_failure(const Error& error, bool stopped, BuildLog& log, BuildUi& ui) {
    const std::string message = error.what();
    const std::string shown = stopped ? "Error: process stopped by user" : "Error: " + message;
    log.log_line(shown);
    const std::vector<SourceLocation> places =
        stopped ? std::vector<SourceLocation>{} : error.locations();
    for (const SourceLocation& where : places)
        for (const std::string& line : location_block(where, message)) log.log_line(line);
    log.log_line("");
    std::string dialog = "Unable to generate HTML files!\r\n\r\n" + shown;
    if (!places.empty()) {
        if (!dialog.ends_with("\r\n")) dialog += "\r\n";  // a report ends with its own break
        dialog += location_line(places.front(), message);
    }
    ui.show_error(dialog);
}

}  // namespace

bool generate(Workspace& workspace, BuildLog& log, BuildUi& ui, bool release) {
    const std::string base_override = project_path(workspace.project_folder, "base.qn");
    if (file_exists(base_override)) {
        workspace.reDefault.load_base_override(base_override);
        log.log_line("&Found base.qn file: " + base_override);
    }

    ui.set_building(true);
    workspace.stop = false;
    Build build(workspace.project_folder, workspace.switches, release, log, workspace.stop);
    try {
        run_phases(build, workspace.reDefault);
    } catch (const Error& error) {
        report_failure(error, workspace.stop, log, ui);
        end_build(workspace, ui);
        return false;
    } catch (...) {
        end_build(workspace, ui);
        throw;
    }
    end_build(workspace, ui);
    log_success(build);
    return true;
}

}  // namespace quenlo
