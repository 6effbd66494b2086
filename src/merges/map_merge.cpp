#include "merges/map_merge.h"

#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/placeholders.h"
#include "foundation/project_files.h"
#include "foundation/text.h"
#include "foundation/map_files.h"

namespace quenlo {

namespace {

// The line and column of the text's byte `offset`, every character before it
// being one byte (the grid reader stops at the first field beyond ASCII).
SourceLocation text_location(const std::string& path, std::string_view text, std::size_t offset) {
    const std::vector<std::string> lines = split_lines(text);
    std::size_t line_start = 0;
    std::size_t index = 0;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i)
        if (text[i] == '\n') {
            line_start = i + 1;
            ++index;
        }
    if (index >= lines.size())
        return line_location(path, lines, lines.empty() ? 0 : lines.size() - 1);
    return line_location(path, lines, index, offset - line_start + 1);
}

void merge_map(Build& build, int n) {
    const std::string number = std::to_string(n);
    const std::string file = "map" + number + ".qn";
    try {
        build.log.log_line("%Merge map data (" + file + ") ...");
        const SourceFile& source = build.sources.file(file);
        const std::string& path = source.path;
        const std::string text = source.text();
        const MapGridReading reading = read_map_grid(text);
        if (!reading.grid) {
            SourceLocation where = text_location(path, text, reading.error_at);
            where.note = ": " + reading.error;
            throw Error("", std::move(where));
        }
        replace_placeholder(build.page, "___MAP" + number + "___", runtime_cell_list(*reading.grid),
                            build.log);
        build.poll_stop();
    } catch (const Error& error) {
        throw Error("Invalid " + file + " file!", error.locations());
    }
}

void merge_connections(Build& build) {
    try {
        std::string list;
        std::size_t number = 0;
        for (const ConnectionLine& line :
             parse_connections(build.sources.file("connections.qn").text())) {
            list += line.text;
            list += ',';
            list += crlf;
            build.note_generated(line.text + ",", "connections.qn", ++number);
        }
        build.log.log_line("%Merge maps connections (connections.qn) ...");
        replace_placeholder(build.page, "___CONNECTIONS___", list, build.log);
        build.poll_stop();
    } catch (const Error&) {
        throw Error("Invalid connections.qn file!");
    }
}

}  // namespace

std::string runtime_cell_list(const MapGrid& grid) {
    std::string list;
    list.reserve(MapGrid::cells * 4);
    for (int y = 1; y <= MapGrid::rows; ++y)
        for (int x = 1; x <= MapGrid::columns; ++x) {
            if (!list.empty()) list += ',';
            list += std::to_string(grid.cell(x, y));
        }
    return list;
}

void test_map_image(Build& build) {
    build.log.log_line("%Check for map image (mapimage1.qn) ...");
    if (build.switches.skip_images_merging) {
        build.log.log_line(" skipped!");
        return;
    }
    // Only whether it holds more than blanks and line breaks counts.
    const std::string picture = decode_text(read_bytes(build.path("mapimage1.qn")));
    build.map_enabled = !trim_view(picture).empty();
    build.log.log_line(build.map_enabled ? "FOUND! Map enabled..." : "NOT FOUND! Map disabled...");
}

void merge_map_switch(Build& build) {
    replace_placeholder(build.page, "___ENABLEMAP___", build.map_enabled ? "true" : "false",
                        build.log);
    build.poll_stop();
}

void merge_maps(Build& build) {
    if (!build.map_enabled) {
        for (const char* placeholder : {"___MAP1___", "___MAP2___", "___MAP3___"})
            replace_placeholder(build.page, placeholder, "", build.log);
        return;
    }
    for (int n = 1; n <= 3; ++n) merge_map(build, n);
    merge_connections(build);
}

}  // namespace quenlo
