#include "foundation/text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>

namespace quenlo {

std::string_view trim_view(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && is_trimmed_away(text[begin])) ++begin;
    while (end > begin && is_trimmed_away(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string trim(std::string_view text) {
    return std::string(trim_view(text));
}

std::string replace_all(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit = text.find(from); hit != std::string_view::npos;
         hit = text.find(from, pos)) {
        out.append(text, pos, hit - pos);
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text, pos);
    return out;
}

void replace_growing_in_place(std::string& text, const std::vector<std::size_t>& hits,
                              std::size_t from_size,
                              const std::function<std::string_view(std::size_t)>& value) {
    if (hits.empty()) return;
    const std::size_t old_size = text.size();
    std::size_t new_size = old_size;
    for (std::size_t i = 0; i < hits.size(); ++i) new_size += value(i).size() - from_size;
    text.resize(new_size);
    char* const base = text.data();
    // Back to front: each piece lands at or after where it was.
    std::size_t gap_end = old_size;  // the text after occurrence i ends here
    std::size_t write = new_size;
    for (std::size_t i = hits.size(); i-- > 0;) {
        const std::size_t start = hits[i] + from_size;
        write -= gap_end - start;
        std::memmove(base + write, base + start, gap_end - start);
        const std::string_view to = value(i);
        write -= to.size();
        std::memcpy(base + write, to.data(), to.size());
        gap_end = hits[i];
    }
}

// The text is changed where it lies: only the part from the first occurrence
// on moves, and it grows into spare capacity, so a large page is not copied
// whole for each placeholder.
std::size_t replace_all_in_place(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty()) return 0;
    // A placeholder starts with a character that code is full of ("_"): a
    // search that skips by the placeholder's length passes over most of it.
    const std::boyer_moore_horspool_searcher searcher(from.begin(), from.end());
    std::vector<std::size_t> hits;
    for (auto at = text.cbegin();;) {
        at = std::search(at, text.cend(), searcher);
        if (at == text.cend()) break;
        hits.push_back(static_cast<std::size_t>(at - text.cbegin()));
        at += static_cast<std::ptrdiff_t>(from.size());
    }
    if (hits.empty()) return 0;
    if (to.size() > from.size()) {
        replace_growing_in_place(text, hits, from.size(), [&](std::size_t) { return to; });
        return hits.size();
    }
    // Shrinking: front to back, each piece lands at or before where it was.
    char* const base = text.data();
    std::size_t write = hits.front();
    for (std::size_t i = 0; i < hits.size(); ++i) {
        if (!to.empty()) std::memcpy(base + write, to.data(), to.size());
        write += to.size();
        const std::size_t start = hits[i] + from.size();
        const std::size_t gap_end = i + 1 < hits.size() ? hits[i + 1] : text.size();
        std::memmove(base + write, base + start, gap_end - start);
        write += gap_end - start;
    }
    text.resize(write);
    return hits.size();
}

std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    for_each_line(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::string join_lines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) size += line.size() + 2;
    std::string out;
    out.reserve(size);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out.append(crlf);
        out.append(lines[i]);
    }
    return out;
}

std::string as_crlf_file(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    for_each_line(text, [&](std::string_view line) {
        out.append(line);
        out.append(crlf);
    });
    return out;
}

bool has_only_crlf_breaks(std::string_view text) {
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos;
         lf = text.find('\n', lf + 1))
        if (lf == 0 || text[lf - 1] != '\r') return false;
    for (std::size_t cr = text.find('\r'); cr != std::string_view::npos;
         cr = text.find('\r', cr + 1))
        if (cr + 1 == text.size() || text[cr + 1] != '\n') return false;
    return true;
}

char32_t next_code_point(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return replacement_character;
    }
    if (pos + length > text.size()) {
        ++pos;
        return replacement_character;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return replacement_character;
        }
        cp = cp << 6 | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return replacement_character;
    }
    pos += length;
    return cp;
}

void append_utf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = replacement_character;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string utf8(char32_t code_point) {
    std::string out;
    append_utf8(out, code_point);
    return out;
}

std::size_t count_code_points(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count) {
        if (static_cast<unsigned char>(text[pos]) < 0x80)
            ++pos;
        else
            next_code_point(text, pos);
    }
    return count;
}

bool is_valid_utf8(std::string_view bytes) {
    return first_invalid_utf8(bytes) == std::string_view::npos;
}

std::size_t first_invalid_utf8(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        // Plain ASCII runs are the common case; skip them eight bytes at a time.
        while (pos + 8 <= bytes.size()) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes.data() + pos, sizeof word);
            if (word & 0x8080808080808080ULL) break;
            pos += 8;
        }
        if (pos >= bytes.size()) break;
        const std::size_t before = pos;
        if (next_code_point(bytes, pos) == replacement_character) {
            // A genuine U+FFFD is three bytes long; a malformed sequence advanced by one.
            if (pos - before != 3) return before;
        }
    }
    return std::string_view::npos;
}

std::string ascii_lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string ascii_upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

}  // namespace quenlo
