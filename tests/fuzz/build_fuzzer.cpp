// Whole builds, debug and release, of a new project changed by the input
// (format in build_input.h). A build may fail; what it may not do is let an
// exception other than quenlo::Error out, touch the folder when it fails,
// leave a temporary or unexpected file behind, or write a page that is not
// UTF-8.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "build_input.h"
#include "folder_snapshot.h"
#include "foundation/base_script.h"
#include "foundation/build_log.h"
#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/workspace.h"
#include "fuzz_check.h"
#include "generator/pipeline.h"
#include "jsparser/script_parser.h"
#include "project/new_project_files.h"
#include "scratch_folder.h"
#include "utf8_oracle.h"

namespace quenlo::fuzz {

namespace {

class KeptLog : public LogSink {
public:
    void append_line(LogColour, std::string_view text) override { lines.emplace_back(text); }
    void clear() override { lines.clear(); }
    std::vector<std::string> lines;
};

class NoEvents : public PollHook {
public:
    void process_events() override {}
};

class KeptUi : public BuildUi {
public:
    void show_error(std::string_view text) override { errors.emplace_back(text); }
    void set_building(bool running) override { building.push_back(running); }
    std::vector<std::string> errors;
    std::vector<bool> building;
};

// A page of an earlier build, which a failed build must leave alone and a
// successful one may replace.
constexpr std::string_view stale_page = "<html>an earlier build</html>\r\n";

// The new project, written once by the new-project writer, and the folder the
// builds run in, with what it is known to hold. Built lazily on the first
// input: libFuzzer gives the target no other place to keep it.
struct Scratch {
    Scratch() {
        const std::string& root = scratch_folder("build");
        const std::string written = project_path(root, "new");
        write_new_project(stored_base, written);
        new_project = take_snapshot(written);
        new_project.emplace("ilfaro_debug.html", stale_page);
        new_project.emplace("ilfaro.html", stale_page);
        folder = project_path(root, "project");
        create_folder(folder);
        workspace.project_folder = folder;
        // One parser for every input. The engine shuts down at exit, after
        // whatever was made after it started: waiting for it here puts this
        // object, and so the parser, among those.
        workspace.parser = std::make_shared<ScriptParser>();
        workspace.parser->syntax_error("");
    }
    const BaseScript stored_base;
    Workspace workspace;  // made once: its stored base script takes long to make
    FolderSnapshot new_project;
    std::string folder;
    FolderSnapshot on_disk;
};

Scratch& scratch() {
    static Scratch made;
    return made;
}

std::string_view without_pound(std::string_view shown) {
    return shown.starts_with("\xC2\xA3") ? shown.substr(2) : shown;
}

// The pages a successful build names in its "Generated: " lines.
std::vector<std::string> generated_pages(const std::vector<std::string>& log,
                                         const std::string& folder) {
    constexpr std::string_view generated = "Generated: ";
    std::vector<std::string> pages;
    for (const std::string& line : log) {
        const std::string_view shown = without_pound(line);
        if (!shown.starts_with(generated)) continue;
        const std::string_view path = shown.substr(generated.size());
        const std::string prefix = project_path(folder, "");
        require(path.starts_with(prefix), "a page is written into the project folder", line);
        pages.emplace_back(path.substr(prefix.size()));
    }
    return pages;
}

void check_no_temporary_file(const FolderSnapshot& after) {
    for (const auto& [name, bytes] : after)
        require(name.find(".tmp") == std::string::npos,
                "no temporary file of a page is left in the folder", name);
}

// The log's last error line followed by the location line of each of its
// error blocks, when every line between it and the closing empty line belongs
// to a block: "PATH:LINE[:COLUMN]: error: TEXT" (or "warning:", "note:"), the
// source line indented by four blanks, and a caret line of blanks and "^"
// where the column is known; or a "note: TEXT" line alone. An empty list when
// the log does not end that way.
std::vector<std::string> location_lines_after_error(const std::vector<std::string>& lines) {
    std::size_t error = lines.size();
    while (error > 0 && !lines[error - 1].starts_with("Error: ")) --error;
    if (error == 0) return {};
    std::vector<std::string> found = {lines[error - 1]};
    const std::size_t end = lines.size() - 1;  // the empty line
    for (std::size_t i = error; i < end;) {
        if (lines[i].starts_with("note: ")) {
            ++i;
            continue;
        }
        const bool is_error = lines[i].find(": error: ") != std::string::npos;
        if ((!is_error && lines[i].find(": warning: ") == std::string::npos &&
             lines[i].find(": note: ") == std::string::npos) ||
            i + 1 >= end || !lines[i + 1].starts_with("    "))
            return {};
        if (is_error) found.push_back(lines[i]);
        i += 2;
        if (i < end && lines[i].find_first_not_of(' ') != std::string::npos &&
            lines[i].find_first_not_of(' ') == lines[i].size() - 1 && lines[i].back() == '^')
            ++i;
    }
    return found;
}

void check_failed_build(const FolderSnapshot& before, const FolderSnapshot& after,
                        const KeptLog& log, const KeptUi& ui) {
    require(after == before, "a failed build changes no file in the folder",
            describe_changes(before, after));
    require(ui.errors.size() == 1, "a failed build shows one error dialog");
    require(ui.errors[0].starts_with("Unable to generate HTML files!\r\n\r\nError: "),
            "the error dialog says that the build failed", ui.errors[0]);
    require(!log.lines.empty() && log.lines.back().empty(),
            "a failed build ends its log with an empty line");
    const std::vector<std::string> places = location_lines_after_error(log.lines);
    require(!places.empty() && places.front().starts_with("Error: "),
            "a failed build ends its log with the error, its location blocks and an empty line");
    // The dialog shows the error line, under it at most the first place the
    // log lists (an error without a place lends it no other error's).
    const std::string& dialog = ui.errors[0];
    require(dialog.ends_with("\n" + places.front()) ||
                (places.size() > 1 && dialog.ends_with("\n" + places[1])),
            "the error dialog ends with the error or its first location line", dialog);
}

// "debug.html" and "release.html" without a name in message 50, else
// NAME + "_debug.html" and NAME + ".html"; the debug page first.
void check_page_names(const std::vector<std::string>& pages) {
    const std::string& debug = pages[0];
    const bool unnamed = debug == "debug.html";
    require(unnamed || debug.ends_with("_debug.html"), "the debug page is named first", debug);
    if (pages.size() < 2) return;
    const std::string expected =
        unnamed ? "release.html" : debug.substr(0, debug.size() - 11) + ".html";
    require(pages[1] == expected, "the release page is named like the debug page", pages[1]);
}

void check_successful_build(const FolderSnapshot& before, const FolderSnapshot& after,
                            const std::string& folder, const KeptLog& log, const KeptUi& ui,
                            bool release) {
    if (!ui.errors.empty()) invariant_failed("a successful build shows no error", ui.errors[0]);
    const std::vector<std::string> pages = generated_pages(log.lines, folder);
    require(pages.size() == (release ? 2u : 1u), "a build names each page it wrote once");
    check_page_names(pages);
    FolderSnapshot expected = before;
    for (const std::string& page : pages) {
        const auto written = after.find(page);
        require(written != after.end(), "a page named in the log is in the folder", page);
        require(is_well_formed_utf8(written->second), "a written page is UTF-8", page);
        require(written->second.ends_with("\r\n"), "a written page ends with CR LF", page);
        expected[page] = written->second;
    }
    require(after == expected, "a build changes nothing in the folder but its pages",
            describe_changes(expected, after));
}

void run_one_build(std::string_view input) {
    Scratch& s = scratch();
    FolderSnapshot before = s.new_project;
    const BuildRequest request = apply_build_input(input, before, s.stored_base.text());
    restore_folder(s.folder, s.on_disk, before);
    s.on_disk = before;

    Workspace& workspace = s.workspace;
    workspace.switches = request.switches;
    workspace.reDefault = s.stored_base;  // a "base.qn" of an earlier input stays out
    KeptLog sink;
    NoEvents events;
    BuildLog log(sink, events);
    KeptUi ui;
    bool succeeded = false;
    bool error_escaped = false;
    try {
        succeeded = generate(workspace, log, ui, request.release).succeeded;
    } catch (const Error&) {
        error_escaped = true;
    } catch (const std::exception& fault) {
        invariant_failed("no exception but quenlo::Error leaves generate", fault.what());
    } catch (...) {
        invariant_failed("no exception but quenlo::Error leaves generate", "(not an exception)");
    }

    if (std::getenv("QUENLO_FUZZ_SHOW_LOG"))  // to see what an input of the corpus does
        for (const std::string& line : sink.lines) std::fprintf(stderr, "%s\n", line.c_str());

    const FolderSnapshot after = take_snapshot(s.folder);
    s.on_disk = after;
    check_no_temporary_file(after);
    require(!workspace.stop, "the stop flag is clear after a build");
    for (const std::string& line : sink.lines)
        require(is_well_formed_utf8(line), "every log line is UTF-8", line);
    if (error_escaped) {
        require(after == before, "a build whose error escapes changes no file",
                describe_changes(before, after));
        return;
    }
    require(ui.building == std::vector<bool>{true, false},
            "a build shows the stop button, then hides it");
    if (succeeded)
        check_successful_build(before, after, s.folder, sink, ui, request.release);
    else
        check_failed_build(before, after, sink, ui);
    // A release page is made from a debug page that parses: its script must
    // parse too, or the release transformations broke it.
    for (const std::string& line : sink.lines)
        require(!line.starts_with("Error: Script error in the release page"),
                "a release page parses whenever its debug page does", line);
}

}  // namespace

}  // namespace quenlo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quenlo::fuzz::run_one_build(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
