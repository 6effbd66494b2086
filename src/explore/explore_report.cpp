#include "explore/explore_report.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "explore/finding_places.h"
#include "generator/page_line_place.h"

namespace quenlo {

namespace {

Diagnostic warning(std::string text, SourceLocation where, std::string name) {
    Diagnostic d;
    d.severity = Severity::warning;
    d.text = std::move(text);
    d.where = std::move(where);
    d.name = std::move(name);
    return d;
}

std::string summary_line(const Exploration& e) {
    std::size_t named = 0;
    for (std::size_t r = 1; r < e.room_ids.size() && r <= 79; ++r)
        if (!e.room_ids[r].empty()) ++named;
    char text[400];
    std::snprintf(text, sizeof text,
                  "Explored %zu states and %zu choices in %.1f s: rooms entered %zu of %zu, "
                  "%zu wins and %zu losses found, ",
                  e.states, e.choices, e.seconds, e.rooms_entered.size(), named, e.wins.size(),
                  e.losses.size());
    std::string line = text;
    line += e.shortest_win.empty()
                ? std::string("no win")
                : "the shortest win in " + std::to_string(e.shortest_win.size()) + " choices";
    line += e.complete  ? "; the search is complete."
            : e.stopped ? "; the search is not complete (stopped)."
                        : "; the search is not complete (time is up).";
    return line;
}

}  // namespace

std::string path_text(const Path& path) {
    std::string text;
    for (const std::string& step : path) {
        if (!text.empty()) text += "; ";
        text += step;
    }
    return text;
}

ExploreFindings place_findings(const Exploration& e, std::string_view page,
                               const std::string& page_path, ProjectSources& sources) {
    ExploreFindings out;
    for (const ScriptFault& fault : e.faults) {
        Diagnostic d;
        d.text = "Script error in the game: " + fault.error.message;
        if (fault.error.line > 0) {
            d.where = annotated_page_line(page, fault.error.line, fault.error.column, sources);
            if (!d.where.known()) d.where = page_line_place(page, page_path, fault.error.line);
        }
        d.notes.push_back({"after: " + path_text(fault.path), {}});
        out.errors.push_back(std::move(d));
    }
    for (const LostCause& lost : e.lost_causes) {
        Diagnostic d;
        d.text = "the game can no longer be won after: " + path_text(lost.path);
        d.where = choice_place(sources, lost.action);
        out.errors.push_back(std::move(d));
    }
    for (std::size_t r = 1; r < e.room_ids.size() && r <= 79; ++r)
        if (!e.room_ids[r].empty() && !e.rooms_entered.count(static_cast<int>(r)))
            out.warnings.push_back(warning("room " + e.room_ids[r] + " is never entered",
                                           room_place(sources, e.room_ids[r]), "room-never-entered"));
    for (const std::string& id : e.objects_never_shown)
        out.warnings.push_back(
            warning("object " + id + " is never shown", object_place(sources, id), "object-never-shown"));
    for (const auto& [object, verb] : e.default_only_verbs)
        out.warnings.push_back(warning("verb \"" + verb + "\" of " + object +
                                           " only ever gets the default answer",
                                       menu_verb_place(sources, object, verb), "verb-default-answer"));
    out.summary.push_back(summary_line(e));
    return out;
}

std::vector<std::string> findings_lines(const ExploreFindings& findings) {
    std::vector<std::string> lines;
    for (const auto* group : {&findings.errors, &findings.warnings})
        for (const Diagnostic& d : *group) {
            std::vector<BlockLine> block = diagnostic_block(d);
            if (block.empty()) {  // no place: the text alone
                lines.push_back((d.severity == Severity::error ? "error: " : "warning: ") + d.text);
                for (const Note& note : d.notes) lines.push_back("note: " + note.text);
                continue;
            }
            for (BlockLine& line : block) lines.push_back(std::move(line.text));
        }
    lines.insert(lines.end(), findings.summary.begin(), findings.summary.end());
    return lines;
}

std::string findings_json(const Exploration& e, const ExploreFindings& findings) {
    using nlohmann::json;
    json rooms_entered = json::array();
    json rooms_never = json::array();
    for (std::size_t r = 1; r < e.room_ids.size() && r <= 79; ++r) {
        if (e.room_ids[r].empty()) continue;
        (e.rooms_entered.count(static_cast<int>(r)) ? rooms_entered : rooms_never).push_back(e.room_ids[r]);
    }
    json errors = json::array();
    for (std::size_t k = 0; k < e.faults.size(); ++k) {
        const SourceLocation& where = findings.errors[k].where;
        errors.push_back({{"text", e.faults[k].error.message},
                          {"file", where.path},
                          {"line", where.line},
                          {"path", e.faults[k].path}});
    }
    json unwinnable = json::array();
    for (std::size_t k = 0; k < e.lost_causes.size(); ++k) {
        const SourceLocation& where = findings.errors[e.faults.size() + k].where;
        unwinnable.push_back({{"path", e.lost_causes[k].path}, {"file", where.path}, {"line", where.line}});
    }
    const json report = {{"complete", e.complete},
                         {"states", e.states},
                         {"choices", e.choices},
                         {"seconds", e.seconds},
                         {"rooms_entered", rooms_entered},
                         {"rooms_never", rooms_never},
                         {"errors", errors},
                         {"unwinnable", unwinnable},
                         {"wins", e.wins},
                         {"losses", e.losses},
                         {"shortest_win", e.shortest_win}};
    return report.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string walkthrough_text(const Path& win) {
    std::string text = "# The shortest win found by quenlo-cli explore.\n";
    for (const std::string& step : win) text += step + "\n";
    text += "= WIN\n";
    return text;
}

}  // namespace quenlo
