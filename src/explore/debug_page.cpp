#include "explore/debug_page.h"

#include <cctype>
#include <filesystem>

#include "foundation/build_log.h"
#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/workspace.h"
#include "generator/pipeline.h"
#include "project/program_base.h"

namespace quenlo {

namespace {

class Silent : public LogSink, public PollHook, public BuildUi {
public:
    void append_line(LogColour, std::string_view) override {}
    void clear() override {}
    void process_events() override {}
    void show_error(std::string_view) override {}
    void set_building(bool) override {}
};

}  // namespace

DebugPage build_debug_page(const std::string& project_folder, const std::string& program_folder) {
    DebugPage page;
    Silent silent;
    BuildLog log(silent, silent);
    Workspace workspace;
    workspace.switches.skip_characters_check = true;
    workspace.program_folder = program_folder;
    workspace.project_folder = project_folder;
    if (!folder_exists(project_folder)) {
        page.report.push_back("Error: unable to find project folder!");
        return page;
    }
    load_program_base(workspace, log);
    BuildResult result;
    try {
        result = generate(workspace, log, silent, false);
    } catch (const std::exception& e) {
        page.report.push_back(std::string("Error: ") + e.what());
        return page;
    }
    if (!result.succeeded || result.pages.empty()) {
        page.report = failure_report(result);
        if (page.report.empty()) page.report.push_back("Error: the build failed.");
        return page;
    }
    page.path = std::filesystem::absolute(result.pages.front()).string();
    page.text = read_bytes(page.path);
    page.built = true;
    return page;
}

std::string file_url(const std::string& path) {
    std::string url = "file://";
    for (unsigned char c : std::filesystem::absolute(path).string()) {
        if (std::isalnum(c) || c == '/' || c == '.' || c == '_' || c == '-' || c == '~') {
            url.push_back(static_cast<char>(c));
        } else {
            static const char* hex = "0123456789ABCDEF";
            url += {'%', hex[c >> 4], hex[c & 15]};
        }
    }
    return url;
}

}  // namespace quenlo
