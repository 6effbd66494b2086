#pragma once
// The ":menu:" block of an object: the verbs the author adds to the object's
// pop-up menu, with their sub-items, compiled into the body of the runtime's
// f_getmenus(id, node, index) (collected in `reAddMenu`).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/project_model.h"
#include "foundation/project_sources.h"

namespace quenlo {

class Build;

// The verbs that menu blocks add, as the game compares them (verb_key);
// `known` turns false at a verb no check can read, such as an expression.
struct MenuVerbs {
    std::vector<std::string> keys;
    bool known = true;
};

// Appends the code of the menu `menu`, read from `file`, to `reAddMenu` and
// its verbs to `verbs`.
void compile_menu_block(Build& build, const SourceFile& file, const ObjectItem& menu,
                        std::string_view object, MenuVerbs& verbs);

// One trimmed block line as it goes into the menu code: `++"verb";`,
// `++expression;`, `-"item";`, `-item;` and `-f_inventory();` are translated,
// anything else is copied.
std::string translate_menu_line(std::string_view line);

}  // namespace quenlo
