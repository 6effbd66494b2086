#pragma once
// The ":menu:" block of an object: the verbs the author adds to the object's
// pop-up menu, with their sub-items, compiled into the body of the runtime's
// f_getmenus(id, node, index) (collected in `reAddMenu`).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quenlo {

class Build;

// The verbs that menu blocks add, as the game compares them (verb_key);
// `known` turns false at a verb no check can read, such as an expression.
struct MenuVerbs {
    std::vector<std::string> keys;
    bool known = true;
};

// `index` points at the ":menu:" line; on return it points at the line that
// ended the block (an object header, a line that starts and ends with ":", or
// the end of `lines`). Appends the block's code to `reAddMenu` and its verbs
// to `verbs`.
void compile_menu_block(Build& build, const std::vector<std::string>& lines, std::size_t& index,
                        std::string_view object, MenuVerbs& verbs);

// One trimmed block line as it goes into the menu code: `++"verb";`,
// `++expression;`, `-"item";`, `-item;` and `-f_inventory();` are translated,
// anything else is copied.
std::string translate_menu_line(std::string_view line);

}  // namespace quenlo
