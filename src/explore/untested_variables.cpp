#include "explore/untested_variables.h"

#include <regex>
#include <vector>

namespace quenlo {

namespace {

// Uses of a variable that do not test it, each matched where the use begins.
bool untesting_use(std::string_view page, std::size_t at, std::size_t end, int index) {
    static const std::regex set_number(R"(^\s*=\s*-?\d+\s*;)");
    static const std::regex count(R"(^\s*(\+\+|--|[+-]=\s*\d+\s*;))");
    const std::string after(page.substr(end, 80));
    if (std::regex_search(after, set_number) || std::regex_search(after, count)) return true;
    // "window.g_var[N] = window.g_var[N] + 1;": the left side and the right.
    const std::string self = "window.g_var[" + std::to_string(index) + "]";
    const std::regex add_self("^\\s*=\\s*" + std::regex_replace(self, std::regex(R"([.\[\]])"), R"(\$&)") +
                              R"(\s*[+-]\s*\d+\s*;)");
    if (std::regex_search(after, add_self)) return true;
    const std::string before(page.substr(at >= 80 ? at - 80 : 0, at >= 80 ? 80 : at));
    static const std::regex lhs_self(R"(window\.g_var\[(\d+)\]\s*=\s*$)");
    std::smatch m;
    static const std::regex plus_number(R"(^\s*[+-]\s*\d+\s*;)");
    if (std::regex_search(before, m, lhs_self) && std::stoi(m[1]) == index &&
        std::regex_search(after, plus_number))
        return true;
    // Shown in a text: '...' + window.g_var[N] + '...'.
    static const std::regex text_before(R"(['"]\s*\+\s*$)");
    static const std::regex text_after(R"(^\s*\+\s*['"])");
    return std::regex_search(before, text_before) && std::regex_search(after, text_after);
}

}  // namespace

std::set<int> untested_variables(std::string_view page) {
    std::set<int> tested;
    std::set<int> used;
    const std::string_view head = "window.g_var[";
    for (std::size_t at = page.find(head); at != std::string_view::npos;
         at = page.find(head, at + 1)) {
        std::size_t p = at + head.size();
        int index = 0;
        std::size_t digits = 0;
        while (p < page.size() && page[p] >= '0' && page[p] <= '9' && digits < 3) {
            index = index * 10 + (page[p] - '0');
            ++p;
            ++digits;
        }
        if (digits == 0 || p >= page.size() || page[p] != ']' || index > 99) continue;
        used.insert(index);
        if (!untesting_use(page, at, p + 1, index)) tested.insert(index);
    }
    std::set<int> untested;
    for (int v = 0; v < 100; ++v)
        if (!tested.count(v)) untested.insert(v);
    return untested;
}

}  // namespace quenlo
