#pragma once
// Small text operations shared by every phase. Text is UTF-8 throughout; the
// functions that look at characters decode whole code points, never bytes.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quenlo {

inline constexpr std::string_view crlf = "\r\n";

// Trimming removes every leading and trailing character whose code is 32 or less.
inline bool is_trimmed_away(char c) {
    return static_cast<unsigned char>(c) <= 32;
}
std::string_view trim_view(std::string_view text);
std::string trim(std::string_view text);
// The text with its ASCII letters in one case, other bytes (UTF-8 letters
// among them) as they are: for names and protocol words, never prose.
std::string ascii_lower(std::string_view text);
std::string ascii_upper(std::string_view text);

// Replaces every non-overlapping occurrence of `from`, scanning left to right,
// in one pass; text inside an inserted value is never scanned again.
std::string replace_all(std::string_view text, std::string_view from, std::string_view to);
// The same on a text in place; returns the number of replacements. `to` must
// not point into `text`.
std::size_t replace_all_in_place(std::string& text, std::string_view from, std::string_view to);
// Replaces, in place, the occurrence i of a text of `from_size` bytes, found
// at `hits[i]` (ascending, not overlapping), by `value(i)`, which is at least
// as long and does not point into `text`.
void replace_growing_in_place(std::string& text, const std::vector<std::size_t>& hits,
                              std::size_t from_size,
                              const std::function<std::string_view(std::size_t)>& value);

// Lines end at CR LF, CR or LF; a break at the very end starts no further
// line, so an empty text has no lines.
std::vector<std::string> split_lines(std::string_view text);
// Lines joined by CR LF, without a break after the last one.
std::string join_lines(const std::vector<std::string>& lines);
// The text as a file of lines: every line, the last one too, followed by CR LF.
std::string as_crlf_file(std::string_view text);
// Whether every line break of the text is CR LF; as_crlf_file then only adds a
// CR LF when the text does not end with one.
bool has_only_crlf_breaks(std::string_view text);

// Calls `visit(line)` for each line of `text` by the rule of split_lines,
// without building a vector.
template <typename Visit>
void for_each_line(std::string_view text, Visit&& visit) {
    const std::size_t n = text.size();
    // The next CR and the next LF at or after the line's start (n for none),
    // each found by one fast search and looked for again only once passed.
    const auto find = [&](char c, std::size_t from) {
        const std::size_t at = text.find(c, from);
        return at == std::string_view::npos ? n : at;
    };
    std::size_t cr = find('\r', 0);
    std::size_t lf = find('\n', 0);
    for (std::size_t start = 0; start < n;) {
        if (cr < start) cr = find('\r', start);
        if (lf < start) lf = find('\n', start);
        std::size_t end = cr < lf ? cr : lf;
        visit(text.substr(start, end - start));
        if (end == cr && end + 1 == lf) ++end;
        start = end + 1;
    }
}

// UTF-8. Decoding never fails: a malformed sequence yields U+FFFD and
// advances by one byte.
inline constexpr char32_t replacement_character = 0xFFFD;
char32_t next_code_point(std::string_view text, std::size_t& pos);
void append_utf8(std::string& out, char32_t code_point);
std::string utf8(char32_t code_point);
std::size_t count_code_points(std::string_view text);
bool is_valid_utf8(std::string_view bytes);
// The offset of the first byte that starts no valid UTF-8 sequence, or npos.
std::size_t first_invalid_utf8(std::string_view bytes);

}  // namespace quenlo
