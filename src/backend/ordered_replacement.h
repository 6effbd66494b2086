#pragma once
// Replacing a fixed, ordered list of names throughout a text, with the result
// of the plain sequence: every occurrence of the first name is replaced (exact,
// case-sensitive, left to right, without rescanning inserted text), then every
// occurrence of the second name in what that left, and so on. A name partly
// consumed by an earlier one, or formed anew where an earlier replacement
// joined two pieces, is treated exactly as that sequence treats it.
//
// The sequence would scan the whole text once per name; this scans it about
// once. Bytes that occur in no name can never be part of an occurrence, so they
// are never replaced and no occurrence reaches across them: each run of the
// other bytes evolves on its own, and only the runs in which some name occurs
// are worked on, by the sequence restricted to the names found in them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quenlo {

struct NameReplacement {
    std::string name;  // an empty name never matches
    std::string replacement;
};

class OrderedReplacement {
public:
    explicit OrderedReplacement(std::vector<NameReplacement> rules);

    // Appends to `out` the text with every rule applied in order.
    void apply(std::string_view text, std::string& out);
    std::string apply(std::string_view text);

    std::size_t size() const { return rules_.size(); }

private:
    static constexpr std::uint32_t none = UINT32_MAX;
    static constexpr std::uint16_t separator = UINT16_MAX;

    void build_automaton();
    std::uint32_t step(std::uint32_t state, unsigned char byte) const;
    // The lowest rule index >= `from` whose name occurs in `text`, or `none`.
    std::uint32_t first_occurring(std::string_view text, std::uint32_t from) const;
    void replace_run(std::string_view run, std::uint32_t first, std::string& out);

    std::vector<NameReplacement> rules_;

    // A matching automaton over the names (Aho-Corasick, transitions complete).
    // Bytes are mapped to classes; bytes of no name are separators.
    std::uint16_t byte_class_[256];
    std::size_t class_count_ = 0;
    std::vector<std::uint32_t> next_;       // state * class_count_ + class
    std::vector<std::uint32_t> ends_here_;  // per state: start into rule_ids_
    std::vector<std::uint32_t> rule_ids_;   // rules whose name ends at each state, ascending
    std::vector<std::uint32_t> more_ends_;  // nearest shorter suffix state where names end
    std::vector<std::uint32_t> lowest_;     // lowest rule ending at a state or its suffixes

    std::string work_;  // the run being worked on, reused
    std::string spare_;
};

}  // namespace quenlo
