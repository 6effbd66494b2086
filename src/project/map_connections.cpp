#include "project/map_connections.h"

namespace quenlo {

namespace {

bool has_comma(const ConnectionLine& line) {
    return line.text.find(',') != std::string::npos;
}

}  // namespace

ConnectionDrawing draw_connection(const ConnectionLine& line, const MapGrid& grid) {
    using State = ConnectionDrawing::State;
    // A comma alone is the only line with a comma shorter than two characters.
    if (!has_comma(line) || line.text.size() < 2) return {};
    if (!line.areas || !is_valid_connection(*line.areas)) return {State::invalid, {}, {}};
    const auto from = find_connection_point(grid, line.areas->first);
    const auto to = find_connection_point(grid, line.areas->second);
    if (from && to) return {State::drawn, *from, *to};
    if (from || to) return {State::invalid, {}, {}};
    return {State::undrawn, {}, {}};
}

std::vector<ConnectionDrawing> draw_connections(std::string_view text, const MapGrid& grid) {
    std::vector<ConnectionDrawing> drawings;
    for (const ConnectionLine& line : parse_connections(text))
        drawings.push_back(draw_connection(line, grid));
    return drawings;
}

bool has_invalid_connection(const std::vector<ConnectionDrawing>& drawings) {
    for (const ConnectionDrawing& drawing : drawings)
        if (drawing.state == ConnectionDrawing::State::invalid) return true;
    return false;
}

std::optional<std::vector<std::string>> saved_connections(std::string_view text) {
    std::vector<std::string> kept;
    for (ConnectionLine& line : parse_connections(text)) {
        if (!has_comma(line)) continue;
        if (!line.areas || !is_valid_connection(*line.areas)) return std::nullopt;
        kept.push_back(std::move(line.text));
    }
    return kept;
}

}  // namespace quenlo
