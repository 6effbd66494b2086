#include "model/object_keys.h"

#include <vector>

#include "foundation/symbol_table.h"
#include "foundation/text.h"

namespace quenlo {

std::string unknown_flag_text(std::string_view line) {
    std::string rest(line);
    if (line.starts_with(':') && line.size() > 1) {
        rest.erase(0, 1);
        for (const std::string_view word : flag_words)
            if (line.find(word) != std::string_view::npos) replace_all_in_place(rest, word, "");
    }
    return std::string(trim_view(rest));
}

std::optional<std::string> meant_flag_or_key(std::string_view line, std::string_view unknown) {
    std::vector<std::string_view> known(flag_words.begin(), flag_words.end());
    for (const PropertyKey& key : property_keys) known.push_back(key.key);
    known.push_back(menu_key);
    const std::string_view trimmed = trim_view(line);
    const std::string_view word = trimmed.substr(0, trimmed.find(' '));
    const bool key = word.size() > 1 && word.ends_with(':');
    return nearest_name(key ? word : unknown.substr(0, unknown.find(' ')), known);
}

}  // namespace quenlo
