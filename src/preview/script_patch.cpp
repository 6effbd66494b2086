#include "preview/script_patch.h"

#include <algorithm>
#include <cctype>

namespace quenlo {

namespace {

struct Span {
    std::size_t begin;
    std::size_t end;
};

bool starts_with_tag(std::string_view text, std::size_t at, std::string_view tag) {
    if (at + tag.size() > text.size()) return false;
    for (std::size_t k = 0; k < tag.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(text[at + k])) != tag[k]) return false;
    if (at + tag.size() == text.size()) return true;
    const char next = text[at + tag.size()];
    return next == '>' || next == '/' || next == ' ' || next == '\t' || next == '\n' ||
           next == '\r' || next == '\f';
}

std::size_t find_tag(std::string_view text, std::size_t from, std::string_view tag) {
    for (std::size_t at = text.find('<', from); at != std::string_view::npos;
         at = text.find('<', at + 1))
        if (starts_with_tag(text, at, tag)) return at;
    return std::string_view::npos;
}

// The texts of the page's script elements, or nothing when one holds "<!--",
// after which a parser may end the script elsewhere than at "</script".
// Comments outside scripts are passed over.
std::optional<std::vector<Span>> script_texts(std::string_view page) {
    std::vector<Span> scripts;
    std::size_t at = 0;
    for (;;) {
        const std::size_t comment = page.find("<!--", at);
        const std::size_t open = find_tag(page, at, "<script");
        if (open == std::string_view::npos) return scripts;
        if (comment < open) {
            const std::size_t close = page.find("-->", comment + 4);
            if (close == std::string_view::npos) return scripts;
            at = close + 3;
            continue;
        }
        const std::size_t begin = page.find('>', open);
        if (begin == std::string_view::npos) return scripts;
        const std::size_t end = find_tag(page, begin + 1, "</script");
        if (end == std::string_view::npos) return std::nullopt;
        if (page.substr(begin + 1, end - begin - 1).find("<!--") != std::string_view::npos)
            return std::nullopt;
        scripts.push_back({begin + 1, end});
        at = end;
    }
}

std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != '\r' && text[k] != '\n') continue;
        lines.push_back(text.substr(start, k - start));
        if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
        start = k + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

std::optional<ScriptPatch> script_patch(std::string_view old_page, std::string_view new_page) {
    if (old_page == new_page) return std::nullopt;
    const auto old_scripts = script_texts(old_page);
    const auto new_scripts = script_texts(new_page);
    if (!old_scripts || !new_scripts || old_scripts->size() != new_scripts->size())
        return std::nullopt;
    for (std::size_t k = 0; k < old_scripts->size(); ++k) {
        const Span was = (*old_scripts)[k];
        const Span is = (*new_scripts)[k];
        const std::string_view old_text = old_page.substr(was.begin, was.end - was.begin);
        const std::string_view new_text = new_page.substr(is.begin, is.end - is.begin);
        if (old_text == new_text) continue;
        // The first script that differs must be the only difference.
        if (old_page.substr(0, was.begin) != new_page.substr(0, is.begin) ||
            old_page.substr(was.end) != new_page.substr(is.end))
            return std::nullopt;
        const std::vector<std::string_view> old_lines = lines_of(old_text);
        const std::vector<std::string_view> new_lines = lines_of(new_text);
        const std::size_t shorter = std::min(old_lines.size(), new_lines.size());
        ScriptPatch patch;
        patch.script = k;
        patch.lines = old_lines.size();
        while (patch.kept_before < shorter &&
               old_lines[patch.kept_before] == new_lines[patch.kept_before])
            ++patch.kept_before;
        while (patch.kept_before + patch.kept_after < shorter &&
               old_lines[old_lines.size() - 1 - patch.kept_after] ==
                   new_lines[new_lines.size() - 1 - patch.kept_after])
            ++patch.kept_after;
        patch.inserted.assign(new_lines.begin() + static_cast<std::ptrdiff_t>(patch.kept_before),
                              new_lines.end() - static_cast<std::ptrdiff_t>(patch.kept_after));
        return patch;
    }
    return std::nullopt;
}

}  // namespace quenlo
