#include "cli/graph_command.h"

#include <exception>
#include <iostream>

#include "cli/exit_status.h"
#include "foundation/project_files.h"
#include "foundation/safe_write.h"
#include "storylayout/story_layout.h"
#include "storymap/dot_writer.h"
#include "storymap/story_graph.h"

namespace quenlo::cli {

namespace {

int usage(const std::string& problem) {
    std::cerr << "quenlo-cli: " << problem << "\n(see quenlo-cli --help)\n";
    return exit_usage;
}

}  // namespace

int run_graph(const std::vector<std::string>& args) {
    std::string folder;
    std::string svg_file;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--svg") {
            if (i + 1 == args.size() || args[i + 1].empty()) return usage("--svg needs a FILE");
            svg_file = args[++i];
        } else if (arg.starts_with("-")) {
            return usage("unknown option " + arg);
        } else if (folder.empty()) {
            folder = arg;
        } else {
            return usage("only one PROJECT_DIR, please");
        }
    }
    if (folder.empty()) return usage("graph needs a PROJECT_DIR");
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (!folder_exists(folder)) {
        std::cerr << "Error: unable to find project folder!\n";
        return exit_failed;
    }
    try {
        const StoryGraph graph = read_story_graph(folder);
        if (svg_file.empty())
            std::cout << story_dot(graph) << std::flush;
        else
            write_file_safely(svg_file, story_svg(graph));
    } catch (const std::exception& e) {
        std::cerr << "Error: " << e.what() << std::endl;
        return exit_failed;
    }
    return exit_ok;
}

}  // namespace quenlo::cli
