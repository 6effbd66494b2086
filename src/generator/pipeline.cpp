#include "generator/pipeline.h"

#include <algorithm>
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
#include "checks/silent_faults.h"
#include "compilers/compile_messages.h"
#include "compilers/compile_objects.h"
#include "compilers/compile_rooms.h"
#include "compilers/compile_variables.h"
#include "foundation/build.h"
#include "foundation/build_log.h"
#include "foundation/error.h"
#include "foundation/placeholders.h"
#include "foundation/project_files.h"
#include "foundation/project_layout.h"
#include "foundation/source_location.h"
#include "foundation/text.h"
#include "foundation/workspace.h"
#include "generator/check_page_scripts.h"
#include "jsparser/script_parser.h"
#include "merges/map_merge.h"
#include "merges/script_sections.h"
#include "merges/story_texts.h"
#include "model/project_reading.h"

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
CheckKind characters_of(SourceRole role) {
    switch (role) {
        case SourceRole::messages:
            return CheckKind::message;
        case SourceRole::variables:
            return CheckKind::variable;
        case SourceRole::story_text:
            return CheckKind::text;
        case SourceRole::introduction:
            return CheckKind::introduction;
        default:
            return CheckKind::script;
    }
}

void check_source_characters(Build& build) {
    for (const SourceFileKind& source : source_files) {
        if (source.optional && !build.sources.exists(source.name)) continue;
        check_characters(build, source.name, characters_of(source.role));
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
void run_phases(Build& build, const BaseScript& base, const ScriptParser& parser) {
    build.redebug = base.html_part();
    log_start_line(build);
    check_source_characters(build);
    project_model(build);  // every source is read by now
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
    warn_about_silent_faults(build);
    rewrite_script_code(build);
    check_unknown_identifiers(build);
    merge_images(build);
    store_debug_page(build);
    // The pages are written while their scripts are checked, and put in
    // place only when every check has passed.
    PageScriptCheck scripts(build, parser);
    PageWriter pages(build);
    if (build.release) {
        make_release_page(build);
        pages.stage_release(build);
    }
    scripts.finish(build);
    pages.commit(build);
}

// Restores the window after a build, whatever its outcome.
void end_build(Workspace& workspace, BuildUi& ui) {
    ui.set_building(false);
    workspace.stop = false;
}

void log_blocks(BuildLog& log, const std::vector<Diagnostic>& diagnostics) {
    for (const Diagnostic& diagnostic : diagnostics)
        for (const BlockLine& line : diagnostic_block(diagnostic)) {
            if (line.file.empty())
                log.log_line(line.text);
            else
                log.log_link(line.text, line.file);
        }
}

void log_success(const Build& build, BuildResult& result) {
    log_blocks(build.log, build.warnings);
    for (const std::string& page : result.pages)
        build.log.log_link("\xC2\xA3Generated: " + page, page);
    build.log.log_line("$Adventure generated successfully!  [ " + now() + " ]");
    build.log.log_line("");
}

constexpr std::size_t listed_errors = 20;

// One error a line, and one a script file: after a script's first syntax
// error, what follows in it (a bracket an unclosed text swallowed) is the same
// fault seen again.
bool same_fault(const SourceLocation& told, const SourceLocation& found) {
    if (told.path != found.path) return false;
    return told.line == found.line || found.path.ends_with(".qna");
}

// One error of each of its places, the notes explaining the first; then the
// other errors the project's model shows, each once, up to twenty in all, so
// that one build tells the author every mistake it can see.
std::vector<Diagnostic> error_diagnostics(const Error& error, const ProjectModel& model) {
    std::vector<Diagnostic> diagnostics;
    for (const SourceLocation& where : error.locations())
        diagnostics.push_back({Severity::error, error.what(), where, {}, {}});
    if (!diagnostics.empty()) diagnostics.front().notes = error.notes();
    for (const Diagnostic& problem : model.problems) {
        if (diagnostics.size() >= listed_errors) break;
        if (!problem.where.known()) continue;
        const bool told = std::any_of(
            diagnostics.begin(), diagnostics.end(),
            [&](const Diagnostic& listed) { return same_fault(listed.where, problem.where); });
        if (!told) diagnostics.push_back(problem);
    }
    return diagnostics;
}

// The error line, then where in the project files the fault lies and the
// warnings found before it; the dialog shows the first place under the error.
void report_failure(const Error& error, Build& build, BuildResult& result, BuildUi& ui) {
    const std::string message = error.what();
    result.error_line = result.stopped ? "Error: process stopped by user" : "Error: " + message;
    if (!result.stopped) {
        result.diagnostics = error_diagnostics(error, project_model(build));
        result.diagnostics.insert(result.diagnostics.end(), build.warnings.begin(),
                                  build.warnings.end());
    }
    build.log.log_line(result.error_line);
    log_blocks(build.log, result.diagnostics);
    build.log.log_line("");
    std::string dialog = "Unable to generate HTML files!\r\n\r\n" + result.error_line;
    // The dialog places the error it states: the other errors listed after it
    // in the log have places, and texts, of their own.
    if (!result.stopped && !error.locations().empty() && error.locations().front().known()) {
        if (!dialog.ends_with("\r\n")) dialog += "\r\n";  // a report ends with its own break
        dialog += location_line(error.locations().front(), message);
    }
    ui.show_error(dialog);
}

}  // namespace

BuildResult generate(Workspace& workspace, BuildLog& log, BuildUi& ui, bool release) {
    log.start_transcript();
    const std::string base_override = project_path(workspace.project_folder, "base.qn");
    if (file_exists(base_override)) {
        try {
            workspace.reDefault.load_base_override(base_override);
        } catch (...) {
            log.take_transcript();
            throw;
        }
        log.log_line("&Found base.qn file: " + base_override);
    }

    ui.set_building(true);
    workspace.stop = false;
    // The engine starts on its own thread while the phases run.
    if (!workspace.parser) workspace.parser = std::make_shared<ScriptParser>();
    BuildResult result;
    Build build(workspace.project_folder, workspace.switches, release, log, workspace.stop);
    try {
        run_phases(build, workspace.reDefault, *workspace.parser);
        result.succeeded = true;
        result.pages.push_back(build.path(build.debug_file_name + ".html"));
        if (build.release) result.pages.push_back(build.path(build.release_file_name + ".html"));
        result.diagnostics = build.warnings;
    } catch (const Error& error) {
        result.stopped = workspace.stop;
        report_failure(error, build, result, ui);
    } catch (...) {
        log.take_transcript();
        end_build(workspace, ui);
        throw;
    }
    end_build(workspace, ui);
    if (result.succeeded) log_success(build, result);
    result.log = log.take_transcript();
    return result;
}

}  // namespace quenlo
