#include "backend/ordered_replacement.h"

#include <algorithm>
#include <utility>

namespace quenlo {

OrderedReplacement::OrderedReplacement(std::vector<NameReplacement> rules)
    : rules_(std::move(rules)) {
    build_automaton();
}

void OrderedReplacement::build_automaton() {
    std::fill(std::begin(byte_class_), std::end(byte_class_), separator);
    for (const NameReplacement& rule : rules_)
        for (const char c : rule.name) {
            std::uint16_t& cls = byte_class_[static_cast<unsigned char>(c)];
            if (cls == separator) cls = static_cast<std::uint16_t>(class_count_++);
        }

    // The trie of the names; state 0 is the root.
    const std::size_t width = class_count_;
    // At most one state per name byte: the table is given its largest size at
    // once, so it never moves while it grows. Room reserved is not touched.
    std::size_t most_states = 1;
    for (const NameReplacement& rule : rules_) most_states += rule.name.size();
    next_.reserve(most_states * width);
    next_.assign(width, none);
    std::vector<std::vector<std::uint32_t>> ending(1);
    for (std::uint32_t id = 0; id < rules_.size(); ++id) {
        const std::string& name = rules_[id].name;
        if (name.empty()) continue;
        std::uint32_t state = 0;
        for (const char c : name) {
            const std::size_t slot = state * width + byte_class_[static_cast<unsigned char>(c)];
            if (next_[slot] == none) {
                next_[slot] = static_cast<std::uint32_t>(ending.size());
                ending.emplace_back();
                next_.resize(next_.size() + width, none);
            }
            state = next_[slot];
        }
        ending[state].push_back(id);  // ids arrive in ascending order
    }

    // Breadth first: failure links, complete transitions, and for every state
    // the nearest suffix state at which names end.
    const std::size_t states = ending.size();
    std::vector<std::uint32_t> failure(states, 0);
    more_ends_.assign(states, none);
    std::vector<std::uint32_t> order;
    order.reserve(states);
    for (std::size_t c = 0; c < width; ++c) {
        std::uint32_t& to = next_[c];
        if (to == none)
            to = 0;
        else
            order.push_back(to);
    }
    for (std::size_t head = 0; head < order.size(); ++head) {
        const std::uint32_t state = order[head];
        const std::uint32_t fail = failure[state];
        more_ends_[state] = ending[fail].empty() ? more_ends_[fail] : fail;
        for (std::size_t c = 0; c < width; ++c) {
            std::uint32_t& to = next_[state * width + c];
            const std::uint32_t fallback = next_[fail * width + c];
            if (to == none) {
                to = fallback;
            } else {
                failure[to] = fallback;
                order.push_back(to);
            }
        }
    }

    ends_here_.assign(states + 1, 0);
    rule_ids_.clear();
    lowest_.assign(states, none);
    for (std::size_t s = 0; s < states; ++s) {
        ends_here_[s] = static_cast<std::uint32_t>(rule_ids_.size());
        rule_ids_.insert(rule_ids_.end(), ending[s].begin(), ending[s].end());
    }
    ends_here_[states] = static_cast<std::uint32_t>(rule_ids_.size());
    // A suffix state is shorter, so it comes earlier in breadth-first order.
    for (const std::uint32_t s : order) {
        std::uint32_t lowest = ending[s].empty() ? none : ending[s].front();
        if (more_ends_[s] != none) lowest = std::min(lowest, lowest_[more_ends_[s]]);
        lowest_[s] = lowest;
    }
}

std::uint32_t OrderedReplacement::step(std::uint32_t state, unsigned char byte) const {
    const std::uint16_t cls = byte_class_[byte];
    return cls == separator ? 0 : next_[state * class_count_ + cls];
}

std::uint32_t OrderedReplacement::first_occurring(std::string_view text, std::uint32_t from) const {
    std::uint32_t best = none;
    std::uint32_t state = 0;
    for (const char c : text) {
        state = step(state, static_cast<unsigned char>(c));
        if (lowest_[state] == none) continue;
        const bool names_end_here = ends_here_[state] != ends_here_[state + 1];
        for (std::uint32_t s = names_end_here ? state : more_ends_[state]; s != none;
             s = more_ends_[s]) {
            const auto first = rule_ids_.begin() + ends_here_[s];
            const auto last = rule_ids_.begin() + ends_here_[s + 1];
            const auto it = std::lower_bound(first, last, from);
            if (it != last && *it < best) best = *it;
        }
        if (best == from) break;
    }
    return best;
}

void OrderedReplacement::replace_run(std::string_view run, std::uint32_t first, std::string& out) {
    work_.assign(run);
    for (std::uint32_t id = first; id != none; id = first_occurring(work_, id + 1)) {
        const std::string_view name = rules_[id].name;
        const std::string_view replacement = rules_[id].replacement;
        spare_.clear();
        std::size_t pos = 0;
        for (std::size_t hit = work_.find(name); hit != std::string::npos;
             hit = work_.find(name, pos)) {
            spare_.append(work_, pos, hit - pos);
            spare_.append(replacement);
            pos = hit + name.size();
        }
        spare_.append(work_, pos);
        std::swap(work_, spare_);
    }
    out.append(work_);
}

void OrderedReplacement::apply(std::string_view text, std::string& out) {
    if (out.empty()) out.reserve(text.size());
    std::size_t copied = 0;     // text before this is in `out` already
    std::size_t run_start = 0;  // start of the current run of name bytes
    std::uint32_t state = 0;
    std::uint32_t lowest = none;  // the lowest rule met in the current run
    const std::size_t n = text.size();
    for (std::size_t i = 0; i <= n; ++i) {
        const std::uint16_t cls =
            i < n ? byte_class_[static_cast<unsigned char>(text[i])] : separator;
        if (cls != separator) {
            state = next_[state * class_count_ + cls];
            lowest = std::min(lowest, lowest_[state]);
            continue;
        }
        if (lowest != none) {
            out.append(text, copied, run_start - copied);
            replace_run(text.substr(run_start, i - run_start), lowest, out);
            copied = i;
            lowest = none;
        }
        state = 0;
        run_start = i + 1;
    }
    out.append(text, copied, n - copied);
}

std::string OrderedReplacement::apply(std::string_view text) {
    std::string out;
    apply(text, out);
    return out;
}

}  // namespace quenlo
