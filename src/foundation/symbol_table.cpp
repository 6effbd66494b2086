#include "foundation/symbol_table.h"

#include <algorithm>

namespace quenlo {

const Symbol* SymbolTable::find(std::string_view name) const {
    const auto found = index_.find(std::string(name));
    return found == index_.end() ? nullptr : &order_[found->second];
}

const Symbol* SymbolTable::declare(Symbol symbol) {
    const auto [at, added] = index_.try_emplace(symbol.name, order_.size());
    if (!added) return &order_[at->second];
    order_.push_back(std::move(symbol));
    return nullptr;
}

void SymbolTable::clear() {
    index_.clear();
    order_.clear();
}

// Optimal string alignment: a change, an addition, a removal or two
// neighbours swapped ("bacno" for "banco") each count as one slip.
std::size_t edit_distance(std::string_view a, std::string_view b, std::size_t limit) {
    const std::size_t over = limit + 1;
    if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit) return over;
    const std::size_t width = b.size() + 1;
    std::vector<std::size_t> before(width), previous(width), row(width);
    for (std::size_t j = 0; j < width; ++j) previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        std::size_t best = row[0];
        for (std::size_t j = 1; j < width; ++j) {
            const std::size_t change = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            row[j] = std::min({change, previous[j] + 1, row[j - 1] + 1});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                row[j] = std::min(row[j], before[j - 2] + 1);
            best = std::min(best, row[j]);
        }
        if (best > limit) return over;
        std::swap(before, previous);
        std::swap(previous, row);
    }
    return std::min(previous[b.size()], over);
}

std::optional<std::string> nearest_name(std::string_view name,
                                        const std::vector<std::string_view>& candidates) {
    // Short names have few letters to spare: one slip in four, at most two.
    const std::size_t limit = std::clamp<std::size_t>(name.size() / 4, 1, 2);
    std::optional<std::string> best;
    std::size_t best_distance = limit + 1;
    for (const std::string_view candidate : candidates) {
        const std::size_t d = edit_distance(name, candidate, limit);
        if (d > 0 && d < best_distance) {
            best_distance = d;
            best = std::string(candidate);
        }
    }
    return best;
}

std::optional<std::string> SymbolTable::nearest(std::string_view name) const {
    std::vector<std::string_view> names;
    names.reserve(order_.size());
    for (const Symbol& symbol : order_) names.push_back(symbol.name);
    return nearest_name(name, names);
}

}  // namespace quenlo
