#include "foundation/diagnostic.h"

namespace quenlo {

namespace {

void add_block(std::vector<BlockLine>& out, const SourceLocation& where, std::string_view text,
               std::string_view kind) {
    std::vector<std::string> lines = location_block(where, text, kind);
    for (std::size_t k = 0; k < lines.size(); ++k)
        out.push_back({std::move(lines[k]), k == 0 ? where.path : std::string()});
}

}  // namespace

std::vector<BlockLine> diagnostic_block(const Diagnostic& diagnostic) {
    std::vector<BlockLine> block;
    if (!diagnostic.where.known()) return block;
    if (diagnostic.severity == Severity::warning) {
        std::string text = diagnostic.text.substr(0, diagnostic.text.find_first_of("\r\n"));
        if (!diagnostic.name.empty()) text += " [" + diagnostic.name + "]";
        add_block(block, diagnostic.where, text, "warning");
    } else {
        add_block(block, diagnostic.where, diagnostic.text, "error");
    }
    // A note without a place of its own (a name the author may have meant)
    // follows the block alone.
    for (const Note& note : diagnostic.notes) {
        if (note.where.known())
            add_block(block, note.where, note.text, "note");
        else
            block.push_back({"note: " + note.text, {}});
    }
    return block;
}

}  // namespace quenlo
