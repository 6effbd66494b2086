#include "foundation/placeholders.h"

#include <algorithm>

#include "foundation/build_log.h"
#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/text.h"

namespace quenlo {

namespace {
constexpr std::string_view flatten_joint = "'+ ///\xC2\xB0\xC2\xB0\xC2\xB0\r\n'";
constexpr std::size_t flatten_piece = 1024;
}  // namespace

void replace_placeholder(std::string& page, std::string_view placeholder, std::string_view value,
                         BuildLog& log) {
    replace_all_in_place(page, placeholder, value);
    log.log_line("Replaced [ " + std::string(placeholder) + " ]");
}

std::string flatten(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 64);
    std::size_t kept = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 32) {
            ++pos;
            continue;
        }
        if (byte < 0x80) {
            // Pictures are ASCII: their kept runs are copied whole, up to the
            // end of the piece.
            const std::size_t limit = std::min(text.size(), pos + (flatten_piece - kept));
            std::size_t end = pos + 1;
            while (end < limit && static_cast<unsigned char>(text[end]) - 32u < 0x80u - 32u) ++end;
            out.append(text, pos, end - pos);
            kept += end - pos - 1;  // the last one is counted below
            pos = end;
        } else {
            const std::size_t start = pos;
            const char32_t c = next_code_point(text, pos);
            if (c == replacement_character && pos - start != 3)
                append_utf8(out, c);
            else
                out.append(text, start, pos - start);
        }
        if (++kept == flatten_piece) {
            out.append(flatten_joint);
            kept = 0;
        }
    }
    // Only blanks can remain at the ends: every other character below 33 was dropped.
    const std::size_t begin = out.find_first_not_of(' ');
    if (begin == std::string::npos) return {};
    out.erase(out.find_last_not_of(' ') + 1);
    out.erase(0, begin);
    return out;
}

void merge_file(std::string& page, std::string_view placeholder, const std::string& path,
                BuildLog& log) {
    try {
        // Flattening drops every line break, so the file's lines need no joining.
        const std::string text = decode_text(read_bytes(path));
        log.log_line("%Merge file: " + path);
        replace_all_in_place(page, placeholder, flatten(text));
    } catch (const Error&) {
        throw Error("Unable to merge");
    }
}

}  // namespace quenlo
