#include "compilers/compile_object_menus.h"

#include "checks/escape_text.h"
#include "checks/verbs_offered.h"
#include "foundation/build.h"
#include "foundation/source_location.h"
#include "foundation/text.h"
#include "foundation/work_buffer.h"

namespace quenlo {

namespace {

constexpr std::string_view dashes = "// --------------------------------------";
constexpr std::string_view add_verb_tail = ",window.g_list); window.g_list.length = 0;";

// ":weight: 5" or ":examinable": what a property or flag line looks like,
// and no line of menu code does.
bool looks_like_property(std::string_view line) {
    return line.size() > 1 && line.front() == ':' &&
           ((line[1] >= 'a' && line[1] <= 'z') || (line[1] >= 'A' && line[1] <= 'Z'));
}

// The menus' code goes on to the script-string conversion, which reads a
// double quote as the start of a string, and to the ";}" step: a text keeps
// its double quotes and closing braces out of their way as HTML entities.
std::string menu_text(std::string text) {
    replace_all_in_place(text, "\"", "&quot;");
    replace_all_in_place(text, "}", "&#125;");
    return text;
}

}  // namespace

std::string translate_menu_line(std::string_view line) {
    if (count_code_points(line) < 6 || !line.ends_with(';')) return std::string(line);
    const auto between = [&](std::size_t head, std::size_t tail) {
        return line.substr(head, line.size() - head - tail);
    };
    if (line.starts_with("++\""))
        return "f_additem(node,'" + menu_text(escape_text(between(3, 2))) + "'" +
               std::string(add_verb_tail);
    if (line.starts_with("++"))
        return "f_additem(node," + std::string(between(2, 1)) + std::string(add_verb_tail);
    if (line.starts_with("-\"")) return "f_addvm('" + menu_text(escape_text(between(2, 2))) + "');";
    if (line == "-f_inventory();") return "f_inventory();";
    if (line.starts_with('-'))  // taken literally, but kept inside its string
        return "f_addvm('" + menu_text(literal_string_content(between(1, 1))) + "');";
    return std::string(line);
}

namespace {

// What a block line adds to the object's verbs; code that calls f_additem
// itself adds one no check can read.
void note_verb(std::string_view line, const std::string& translated, MenuVerbs& verbs) {
    if (translated.starts_with("f_additem(node,'") && line.starts_with("++\"")) {
        const std::size_t head = std::string_view("f_additem(node,'").size();
        verbs.keys.push_back(
            verb_key(translated.substr(head, translated.size() - head - add_verb_tail.size() - 1)));
    } else if (translated.find("f_additem") != std::string::npos) {
        verbs.known = false;
    }
}

}  // namespace

void compile_menu_block(Build& build, const SourceFile& file, const ObjectItem& menu,
                        std::string_view object, MenuVerbs& verbs) {
    // Each line is kept with its line in "objects.qno" (0 for the frame).
    const auto add = [&build](std::string_view line, std::size_t source_line = 0) {
        append_line(build.reAddMenu, line);
        build.reAddMenu_lines.push_back(source_line);
    };
    add("");
    add(dashes);
    add("// objects.qno :menu: for object: " + std::string(object));
    add("if (id=='" + std::string(object) + "'){ window.g_list.length = 0; ");
    for (const std::size_t index : menu.menu_lines) {
        build.poll_stop();
        const std::string_view line = trim_view(file.lines[index]);
        if (looks_like_property(line))
            build.warn(
                "property line after :menu: becomes part of the menu code; :menu: must be the "
                "object's last property",
                line_location(file.path, file.lines, index), "property-after-menu");
        const std::string translated = translate_menu_line(line);
        note_verb(line, translated, verbs);
        add(" " + translated, index + 1);
    }
    add("}");
    add(dashes);
}

}  // namespace quenlo
