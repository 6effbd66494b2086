#include "project/new_project_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "foundation/base_script.h"
#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/safe_write.h"
#include "foundation/stored_resources.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

struct SectionFile {
    std::string_view file;
    std::string_view section;
};

// Files 1 to 15, each made from its section of the base script.
constexpr SectionFile section_files[] = {
    {"successimage.qn", "#SUCCESSIMAGE"},
    {"failimage.qn", "#FAILIMAGE"},
    {"coverimage.qn", "#COVERIMAGE"},
    {"objects.qno", "#OBJECTS"},
    {"rooms.qnr", "#ROOMS"},
    {"variables.qnv", "#VARIABLES"},
    {"actions.qna", "#ACTIONS"},
    {"conditions.qna", "#CONDITIONS"},
    {"counters.qna", "#COUNTERS"},
    {"messages.qnr", "#MESSAGES"},
    {"help.qni", "#HELP"},
    {"success.qni", "#SUCCESS"},
    {"fail.qni", "#FAIL"},
    {"intro.qni", "#INTRO"},
    {"reference.txt", "#REFERENCE"},
};

constexpr std::string_view empty_files[] = {"mapimage1.qn", "mapimage2.qn", "mapimage3.qn",
                                            "connections.qn"};
constexpr std::string_view map_files[] = {"map1.qn", "map2.qn", "map3.qn"};

constexpr int map_cells = 28 * 30;

// A picture's data address is spread over many lines in the base script and
// must be one line in the project.
bool is_image_section(std::string_view section) {
    return section == "#COVERIMAGE" || section == "#SUCCESSIMAGE" || section == "#FAILIMAGE";
}

}  // namespace

std::string section_file_text(const BaseScript& base, std::string_view section) {
    const auto lines = base.section_lines(section);
    if (!lines) return {};
    std::string content;
    if (is_image_section(section)) {
        for (const std::string& line : *lines) content += trim_view(line);
    } else {
        content = trim(join_lines(*lines));
    }
    return as_crlf_file(content);
}

std::string blank_map_text() {
    std::string map;
    map.reserve(3 * map_cells + 2);
    for (int cell = 0; cell < map_cells; ++cell) map += "000";
    map += crlf;
    return map;
}

void create_folder(const std::string& folder) {
    std::error_code ec;
    const bool created = std::filesystem::create_directory(folder, ec);
    if (ec || !created) {
        const std::string reason = ec ? ec.message() : std::strerror(EEXIST);
        throw Error("Cannot create folder \"" + folder + "\". " + reason);
    }
}

void write_new_project(const BaseScript& base, const std::string& folder) {
    create_folder(folder);
    for (const SectionFile& file : section_files)
        write_file_safely(project_path(folder, file.file), section_file_text(base, file.section));
    write_file_safely(project_path(folder, "map_example.gif"), example_map_picture());
    for (const std::string_view file : empty_files)
        write_file_safely(project_path(folder, file), "");
    const std::string map = blank_map_text();
    for (const std::string_view file : map_files)
        write_file_safely(project_path(folder, file), map);
}

}  // namespace quenlo
