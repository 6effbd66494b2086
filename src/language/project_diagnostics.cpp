#include "language/project_diagnostics.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "foundation/build_log.h"
#include "foundation/text.h"
#include "foundation/workspace.h"
#include "generator/pipeline.h"
#include "jsparser/script_parser.h"
#include "project/program_base.h"

namespace fs = std::filesystem;

namespace quenlo::language {

namespace {

std::string file_name_of(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The byte of `line` where character `column` (from 1) starts.
std::size_t byte_of_column(std::string_view line, std::size_t column) {
    std::size_t at = 0;
    for (std::size_t c = 1; c < column && at < line.size(); ++c) next_code_point(line, at);
    return at;
}

Place line_place(const LanguageProject& project, const std::string& file, std::size_t line,
                 std::size_t column) {
    const SourceFile* source = project.file(file);
    const std::string_view text = source->lines[line];
    if (column == 0) {
        const std::size_t begin = text.find_first_not_of(" \t");
        if (begin == std::string_view::npos) return {file, {line, 0, text.size()}};
        return {file, {line, begin, text.find_last_not_of(" \t") + 1}};
    }
    const std::size_t begin = byte_of_column(text, column);
    std::size_t end = begin;
    while (end < text.size() && is_name_byte(text[end])) ++end;
    if (end == begin && end < text.size()) next_code_point(text, end);
    return {file, {line, begin, end}};
}

class SilentSink : public LogSink {
public:
    void append_line(LogColour, std::string_view) override {}
    void clear() override {}
};
class NoPolling : public PollHook {
public:
    void process_events() override {}
};
class SilentUi : public BuildUi {
public:
    void show_error(std::string_view) override {}
    void set_building(bool) override {}
};

PlacedDiagnostic placed(const LanguageProject& project, const Diagnostic& diagnostic,
                        const Place& where, std::string source) {
    PlacedDiagnostic out{where, diagnostic, {}, std::move(source)};
    for (const Note& note : diagnostic.notes)
        if (const auto at = place_in_project(project, note.where))
            out.related.push_back({*at, note.text});
    return out;
}

// What a script file holds is the body of a function in the page, or (the
// functions file) code at its top level; a macro's name stands before a block.
std::optional<ScriptSyntaxError> script_error(const ScriptParser& parser, const SourceFile& file) {
    const bool top_level = file.name == "functions.qna";
    const std::string_view head = top_level ? "" : "(function(){";
    std::string source(head);
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        std::string line = file.lines[i];
        for (std::size_t at = line.find("foreachobject"); at != std::string::npos;
             at = line.find("foreachobject", at + 13))
            line.replace(at, 13, std::string(13, ' '));
        source += line;
        source += '\n';
    }
    if (!top_level) source += "})";
    auto error = parser.syntax_error(source);
    if (error && error->line == 1 && error->column > head.size()) error->column -= head.size();
    return error;
}

}  // namespace

std::optional<Place> place_in_project(const LanguageProject& project,
                                      const SourceLocation& where) {
    if (!where.known()) return std::nullopt;
    const std::string file = file_name_of(where.path);
    const SourceFile* source = project.file(file);
    if (!source || where.line > source->lines.size()) return std::nullopt;
    return line_place(project, file, where.line - 1, where.column);
}

std::vector<PlacedDiagnostic> reading_diagnostics(const LanguageProject& project,
                                                  const ScriptParser& parser) {
    std::vector<PlacedDiagnostic> out;
    for (const Diagnostic& problem : project.model().problems)
        if (const auto where = place_in_project(project, problem.where))
            out.push_back(placed(project, problem, *where, "quenlo"));
    for (const ScriptFile& script : project.model().scripts) {
        const SourceFile* file = project.file(script.file);
        if (!file) continue;
        const auto error = script_error(parser, *file);
        if (!error || error->line == 0 || error->line > file->lines.size()) continue;
        Diagnostic diagnostic{Severity::error, "Script error: " + error->message, {}, {}, {}};
        out.push_back(placed(project, diagnostic,
                             line_place(project, script.file, error->line - 1, error->column),
                             "javascript"));
    }
    return out;
}

ShadowBuilder::ShadowBuilder(std::string program_folder, std::shared_ptr<ScriptParser> parser)
    : program_folder_(std::move(program_folder)), parser_(std::move(parser)) {}

ShadowBuilder::~ShadowBuilder() {
    std::error_code ec;
    if (!copy_.empty()) fs::remove_all(copy_, ec);
}

void ShadowBuilder::refresh_copy(const std::string& folder,
                                 const std::map<std::string, std::string>& open_texts) {
    if (copy_.empty()) {
        std::string pattern = (fs::temp_directory_path() / "quenlo-lsp-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a folder for the project's copy");
        copy_ = pattern;
    }
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file(ec) || entry.path().extension() == ".html") continue;
        const std::string name = entry.path().filename().string();
        if (open_texts.contains(name)) continue;
        const fs::path target = fs::path(copy_) / name;
        std::error_code missing;
        const bool fresh = written_.contains(name) || !fs::exists(target, missing) ||
                           fs::last_write_time(target, missing) < entry.last_write_time(ec) ||
                           fs::file_size(target, missing) != entry.file_size(ec);
        if (!fresh) continue;
        written_.erase(name);
        fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing, ec);
    }
    // A file the author deleted is gone from the copy too.
    for (const fs::directory_entry& entry : fs::directory_iterator(copy_, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".html" || open_texts.contains(name)) continue;
        std::error_code gone;
        if (!fs::exists(fs::path(folder) / name, gone)) {
            fs::remove(entry.path(), gone);
            written_.erase(name);
        }
    }
    for (const auto& [name, text] : open_texts) {
        const auto known = written_.find(name);
        if (known != written_.end() && known->second == text) continue;
        // A byte-order mark tells the build that the text is UTF-8.
        std::ofstream out(fs::path(copy_) / name, std::ios::binary | std::ios::trunc);
        out << "\xEF\xBB\xBF" << text;
        written_[name] = text;
    }
}

std::vector<PlacedDiagnostic> ShadowBuilder::build(
    const LanguageProject& project, const std::map<std::string, std::string>& open_texts) {
    std::vector<PlacedDiagnostic> out;
    refresh_copy(project.folder(), open_texts);
    SilentSink sink;
    NoPolling events;
    SilentUi ui;
    BuildLog log(sink, events);
    if (!workspace_) {
        workspace_ = std::make_unique<Workspace>();
        workspace_->program_folder = program_folder_;
        workspace_->parser = parser_;
        load_program_base(*workspace_, log);
    }
    workspace_->project_folder = copy_;
    BuildResult result;
    try {
        result = generate(*workspace_, log, ui, false);
    } catch (const std::exception&) {
        return out;  // an unreadable base.qn: the build's own log says so
    }
    for (const Diagnostic& diagnostic : result.diagnostics)
        if (const auto where = place_in_project(project, diagnostic.where))
            out.push_back(placed(project, diagnostic, *where, "quenlo"));
    return out;
}

void merge_diagnostics(std::vector<PlacedDiagnostic>& into, std::vector<PlacedDiagnostic> more) {
    for (PlacedDiagnostic& diagnostic : more) {
        const bool known = std::any_of(into.begin(), into.end(), [&](const PlacedDiagnostic& d) {
            return d.where.file == diagnostic.where.file &&
                   d.where.range.line == diagnostic.where.range.line &&
                   d.diagnostic.text == diagnostic.diagnostic.text;
        });
        if (!known) into.push_back(std::move(diagnostic));
    }
}

}  // namespace quenlo::language
