#pragma once
// The names a project declares (variables, rooms, objects), each with where it
// is declared. Names are compared as whole names, never as parts of a text.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "foundation/source_location.h"

namespace quenlo {

enum class SymbolKind { variable, room, object };

struct Symbol {
    std::string name;
    SymbolKind kind = SymbolKind::object;
    SourceLocation where;  // the declaration; not known() for generated ones
};

class SymbolTable {
public:
    // The symbol named exactly `name`, or null.
    const Symbol* find(std::string_view name) const;
    // Declares `symbol` unless its name is taken: then it returns the earlier
    // symbol of that name, and null otherwise.
    const Symbol* declare(Symbol symbol);
    // The declared name nearest to `name` (see nearest_name), for a "did you
    // mean" note.
    std::optional<std::string> nearest(std::string_view name) const;

    std::size_t size() const { return order_.size(); }
    void clear();

private:
    std::unordered_map<std::string, std::size_t> index_;
    std::vector<Symbol> order_;  // in the order declared
};

// Letters to change, add, remove or swap with a neighbour to turn `a` into
// `b`, counted up to `limit` + 1 (a larger distance is reported as that).
std::size_t edit_distance(std::string_view a, std::string_view b, std::size_t limit);

// The candidate closest to `name` within a small edit distance (one slip in
// four letters, at most two), other than `name` itself; none when none is near.
std::optional<std::string> nearest_name(std::string_view name,
                                        const std::vector<std::string_view>& candidates);

}  // namespace quenlo
