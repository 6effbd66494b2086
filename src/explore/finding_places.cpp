#include "explore/finding_places.h"

#include "foundation/error.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

bool quoted_in(const std::string& line, const std::string& word) {
    return line.find("\"" + word + "\"") != std::string::npos ||
           line.find("'" + word + "'") != std::string::npos;
}

// The line of `name` where `line_is` first holds, at the column of `needle`.
template <typename Test>
SourceLocation first_line(ProjectSources& sources, std::string_view name, std::string_view needle,
                          Test line_is) {
    const SourceFile* file = sources.readable(name);
    if (!file) return {};
    for (std::size_t k = 0; k < file->lines.size(); ++k)
        if (line_is(file->lines[k])) return file->location(k + 1, needle);
    return {};
}

}  // namespace

SourceLocation room_place(ProjectSources& sources, const std::string& room) {
    const SourceFile* file = sources.readable("rooms.qnr");
    if (!file) return {};
    for (std::size_t k = 0; k < file->lines.size(); ++k) {
        const std::string line = trim(file->lines[k]);
        if (line != room && !line.starts_with(room + "|")) continue;
        for (std::size_t h = k; h-- > 0;)
            if (trim(file->lines[h]).starts_with("{")) return file->location(h + 1, "{");
        return file->location(k + 1);
    }
    return {};
}

SourceLocation object_place(ProjectSources& sources, const std::string& object) {
    const std::string header = "{" + object + "}";
    SourceLocation where = first_line(sources, "objects.qno", header, [&](const std::string& line) {
        return trim(line) == header;
    });
    if (where.known()) return where;
    const std::string link = "|" + object;
    return first_line(sources, "rooms.qnr", object, [&](const std::string& line) {
        return line.find(link) != std::string::npos;
    });
}

SourceLocation menu_verb_place(ProjectSources& sources, const std::string& object,
                               const std::string& verb) {
    const SourceFile* file = sources.readable("objects.qno");
    if (!file) return {};
    const std::string header = "{" + object + "}";
    for (std::size_t k = 0; k < file->lines.size(); ++k) {
        if (trim(file->lines[k]) != header) continue;
        for (std::size_t m = k + 1; m < file->lines.size(); ++m) {
            if (trim(file->lines[m]).starts_with("{")) break;
            if (file->lines[m].find("\"" + verb + "\"") != std::string::npos)
                return file->location(m + 1, verb);
        }
        return file->location(k + 1);
    }
    return {};
}

SourceLocation choice_place(ProjectSources& sources, const std::string& action) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t bar = action.find('|', start);
        parts.push_back(
            action.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    while (parts.size() < 3) parts.emplace_back();
    const std::string object = ascii_lower(parts[0]), verb = ascii_lower(parts[1]),
                      other = ascii_lower(parts[2]);
    for (const char* name : {"actions.qna", "functions.qna"}) {
        SourceLocation where = first_line(sources, name, "f_action", [&](const std::string& line) {
            const std::string l = ascii_lower(line);
            return l.find("f_action") != std::string::npos && quoted_in(l, verb) &&
                   quoted_in(l, object) && (other.empty() || quoted_in(l, other));
        });
        if (where.known()) return where;
    }
    return object_place(sources, parts[0]);
}

SourceLocation page_line_place(std::string_view page, const std::string& page_path,
                               std::size_t line) {
    SourceLocation where;
    std::size_t n = 0;
    for_each_line(page, [&](std::string_view text) {
        if (++n == line) where = {page_path, line, 0, std::string(text), {}};
    });
    return where;
}

}  // namespace quenlo
