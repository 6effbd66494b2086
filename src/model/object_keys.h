#pragma once
// The words of an object's lines in "objects.qno": its property keys, in the
// order a line is tried against them, and its flags.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quenlo {

struct PropertyKey {
    std::string_view key;
    bool multi_line;  // the value goes on over the following lines
};

inline constexpr std::array<PropertyKey, 13> property_keys = {{
    {":room:", false},
    {":direction:", false},
    {":weight.worn:", false},
    {":weight:", false},
    {":tag:", false},
    {":desc.short:", false},
    {":desc.long:", false},
    {":desc.examine:", true},
    {":desc.found:", true},
    {":desc.talk:", true},
    {":desc.next.talk:", true},
    {":desc.direction:", false},
    {":found:", false},
}};

inline constexpr std::string_view menu_key = ":menu:";

inline constexpr std::array<std::string_view, 5> flag_words = {"examinable", "usable", "takeable",
                                                               "wearable", "talkable"};

// The key that `line` (trimmed) starts with, or null for a line of flags.
inline const PropertyKey* property_key_of(std::string_view line) {
    for (const PropertyKey& key : property_keys)
        if (line.starts_with(key.key)) return &key;
    return nullptr;
}

// What a line of flags holds besides its flag words, trimmed: empty for a
// good line, else the words that are no flags.
std::string unknown_flag_text(std::string_view line);

// For a line with unknown words, the key or flag the author may have meant.
std::optional<std::string> meant_flag_or_key(std::string_view line, std::string_view unknown);

}  // namespace quenlo
