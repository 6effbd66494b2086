#include "lsp/language_server.h"

#include <algorithm>
#include <filesystem>

#include "foundation/text.h"
#include "foundation/text_range.h"
#include "foundation/workspace.h"
#include "jsparser/script_parser.h"
#include "lsp/file_uri.h"
#include "language/language_features.h"

namespace quenlo::lsp {

using nlohmann::json;
using namespace quenlo::language;
using language::Symbol;

namespace {

// JSON-RPC's and the protocol's error codes.
constexpr int invalid_request = -32600;
constexpr int method_not_found = -32601;
constexpr int invalid_params = -32602;
constexpr int internal_error = -32603;
constexpr int server_not_initialized = -32002;
constexpr int request_failed = -32803;

struct RpcError {
    int code;
    std::string message;
};

json error_response(const json& id, int code, const std::string& message) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

int completion_item_kind(CompletionKind kind) {
    switch (kind) {
        case CompletionKind::room: return 9;       // Module
        case CompletionKind::object: return 7;     // Class
        case CompletionKind::variable: return 6;   // Variable
        case CompletionKind::function: return 3;   // Function
        case CompletionKind::property: return 10;  // Property
        case CompletionKind::flag: return 14;      // Keyword
        case CompletionKind::verb: return 12;      // Value
    }
    return 1;
}

int symbol_kind(Symbol::Kind kind) {
    switch (kind) {
        case Symbol::Kind::room: return 2;      // Module
        case Symbol::Kind::object: return 5;    // Class
        case Symbol::Kind::message: return 15;  // String
        case Symbol::Kind::variable: return 13; // Variable
        case Symbol::Kind::function: return 12; // Function
    }
    return 1;
}

// The byte offsets in `text` where each line starts, lines ending at CR LF,
// CR or LF as the project's files do.
std::vector<std::size_t> line_starts(std::string_view text) {
    std::vector<std::size_t> starts{0};
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (text[i] == '\r' || text[i] == '\n') starts.push_back(i + 1);
    }
    return starts;
}

std::string_view line_in(std::string_view text, const std::vector<std::size_t>& starts,
                         std::size_t line) {
    if (line >= starts.size()) return {};
    std::size_t end = line + 1 < starts.size() ? starts[line + 1] : text.size();
    while (end > starts[line] && (text[end - 1] == '\n' || text[end - 1] == '\r')) --end;
    return text.substr(starts[line], end - starts[line]);
}

}  // namespace

LanguageServer::LanguageServer(ServerOptions options)
    : options_(std::move(options)),
      parser_(std::make_shared<ScriptParser>()),
      builder_(options_.program_folder, parser_) {}

LanguageServer::~LanguageServer() = default;

json LanguageServer::parse_error(const std::string& why) {
    return error_response(nullptr, -32700, "Parse error: " + why);
}

std::vector<json> LanguageServer::handle(const json& message) {
    std::vector<json> out;
    if (!message.is_object() || !message.contains("method")) {
        // An answer from the client to a request of ours: nothing to do.
        if (message.is_object() && message.contains("id") &&
            (message.contains("result") || message.contains("error")))
            return out;
        out.push_back(error_response(nullptr, invalid_request, "Invalid request"));
        return out;
    }
    const bool request = message.contains("id");
    const json id = request ? message["id"] : json();
    if (!message["method"].is_string() ||
        (request && !id.is_string() && !id.is_number_integer())) {
        out.push_back(error_response(request && (id.is_string() || id.is_number_integer()) ? id : json(),
                                     invalid_request, "Invalid request"));
        return out;
    }
    const std::string method = message["method"];
    const json params = message.contains("params") ? message["params"] : json::object();
    try {
        if (method == "exit") {
            exited_ = true;
            return out;
        }
        if (!initialized_ && method != "initialize") {
            if (request)
                out.push_back(error_response(id, server_not_initialized, "Server not initialized"));
            return out;
        }
        if (shutdown_ && request) {
            out.push_back(error_response(id, invalid_request, "The server is shutting down"));
            return out;
        }
        json result = dispatch(method, params);
        if (request) {
            if (result.is_discarded())
                out.push_back(error_response(id, method_not_found, "Unhandled method " + method));
            else
                out.push_back({{"jsonrpc", "2.0"}, {"id", id}, {"result", result}});
        }
    } catch (const RpcError& error) {
        if (request) out.push_back(error_response(id, error.code, error.message));
    } catch (const json::exception& error) {
        if (request)
            out.push_back(error_response(id, invalid_params,
                                         std::string("Invalid params: ") + error.what()));
    } catch (const std::exception& error) {
        // A project file that cannot be read, a folder that cannot be made:
        // this request fails, the server goes on.
        if (request) out.push_back(error_response(id, internal_error, error.what()));
    }
    for (json& notification : pending_) out.push_back(std::move(notification));
    pending_.clear();
    return out;
}

json LanguageServer::dispatch(const std::string& method, const json& params) {
    if (method == "initialize") return initialize(params);
    if (method == "initialized") return nullptr;
    if (method == "shutdown") {
        shutdown_ = true;
        return nullptr;
    }
    if (method == "textDocument/didOpen") return did_open(params), nullptr;
    if (method == "textDocument/didChange") return did_change(params), nullptr;
    if (method == "textDocument/didClose") return did_close(params), nullptr;
    if (method == "textDocument/didSave" || method == "workspace/didChangeWatchedFiles")
        return changed(), nullptr;
    if (method == "textDocument/completion") return completion(params);
    if (method == "textDocument/definition") return definition(params);
    if (method == "textDocument/references") return references(params);
    if (method == "textDocument/prepareRename") return prepare_rename(params);
    if (method == "textDocument/rename") return rename(params);
    if (method == "textDocument/hover") return hover(params);
    if (method == "textDocument/documentSymbol") return document_symbols(params);
    if (method == "workspace/symbol") return workspace_symbols(params);
    if (method == "textDocument/codeAction") return code_actions(params);
    return json::value_t::discarded;
}

json LanguageServer::initialize(const json& params) {
    if (initialized_) throw RpcError{invalid_request, "The server is initialized already"};
    initialized_ = true;
    if (params.contains("capabilities")) {
        const json& general = params["capabilities"].value("general", json::object());
        for (const json& encoding : general.value("positionEncodings", json::array()))
            if (encoding == "utf-8") utf8_ = true;
    }
    std::optional<std::string> root;
    if (params.contains("workspaceFolders") && params["workspaceFolders"].is_array() &&
        !params["workspaceFolders"].empty())
        root = path_of_uri(params["workspaceFolders"][0].value("uri", ""));
    if (!root && params.contains("rootUri") && params["rootUri"].is_string())
        root = path_of_uri(params["rootUri"].get<std::string>());
    if (!root && params.contains("rootPath") && params["rootPath"].is_string())
        root = params["rootPath"].get<std::string>();
    if (root) {
        folder_ = *root;
        while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
    }
    changed();
    json sync = {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}};
    return {{"capabilities",
             {{"positionEncoding", utf8_ ? "utf-8" : "utf-16"},
              {"textDocumentSync", sync},
              {"completionProvider", {{"triggerCharacters", {"_", "\"", ":", "|", "("}}}},
              {"definitionProvider", true},
              {"referencesProvider", true},
              {"renameProvider", {{"prepareProvider", true}}},
              {"hoverProvider", true},
              {"documentSymbolProvider", true},
              {"workspaceSymbolProvider", true},
              {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}}}},
            {"serverInfo", {{"name", "quenlo-cli lsp"}, {"version", std::string(quenlo_version)}}}};
}

void LanguageServer::changed() {
    project_.reset();
    due_ = Clock::now() + options_.debounce;
}

void LanguageServer::did_open(const json& params) {
    const json& document = params.at("textDocument");
    const std::string uri = document.at("uri");
    documents_[uri] = {document.at("text").get<std::string>(), document.value("version", 0)};
    if (folder_.empty())
        if (const auto path = path_of_uri(uri))
            folder_ = std::filesystem::path(*path).parent_path().string();
    changed();
}

void LanguageServer::did_change(const json& params) {
    const std::string uri = params.at("textDocument").at("uri");
    const auto found = documents_.find(uri);
    if (found == documents_.end()) throw RpcError{invalid_params, "Document not open: " + uri};
    Document& document = found->second;
    document.version = params.at("textDocument").value("version", document.version);
    for (const json& change : params.at("contentChanges")) {
        const std::string text = change.at("text");
        if (!change.contains("range")) {
            document.text = text;
            continue;
        }
        const auto starts = line_starts(document.text);
        const auto offset = [&](const json& position) {
            const std::size_t line = position.at("line");
            const std::size_t character = position.at("character");
            if (line >= starts.size()) return document.text.size();
            return starts[line] + byte_of(line_in(document.text, starts, line), character);
        };
        const std::size_t begin = offset(change.at("range").at("start"));
        const std::size_t end = std::max(begin, offset(change.at("range").at("end")));
        document.text.replace(begin, end - begin, text);
    }
    changed();
}

void LanguageServer::did_close(const json& params) {
    documents_.erase(params.at("textDocument").at("uri").get<std::string>());
    changed();
}

std::map<std::string, std::string> LanguageServer::open_texts() const {
    std::map<std::string, std::string> texts;
    for (const auto& [uri, document] : documents_)
        if (const auto file = file_of_uri(uri)) texts[*file] = document.text;
    return texts;
}

const LanguageProject* LanguageServer::project() {
    if (folder_.empty()) return nullptr;
    if (!project_) project_ = std::make_unique<LanguageProject>(folder_, open_texts());
    return project_.get();
}

std::optional<std::string> LanguageServer::file_of_uri(const std::string& uri) const {
    const auto path = path_of_uri(uri);
    if (!path) return std::nullopt;
    const std::filesystem::path p(*path);
    if (p.parent_path().string() != folder_) return std::nullopt;
    const std::string name = p.filename().string();
    if (!is_source_file(name)) return std::nullopt;
    return name;
}

std::string LanguageServer::uri_of_file(const std::string& file) const {
    const std::string path = folder_ + "/" + file;
    // The editor's own spelling of an open file's address.
    for (const auto& [uri, document] : documents_)
        if (path_of_uri(uri) == path) return uri;
    return uri_of_path(path);
}

std::size_t LanguageServer::column_of(std::string_view line, std::size_t byte) const {
    return utf8_ ? std::min(byte, line.size()) : utf16_column(line, byte);
}

std::size_t LanguageServer::byte_of(std::string_view line, std::size_t column) const {
    if (!utf8_) return byte_of_utf16_column(line, column);
    std::size_t byte = std::min(column, line.size());
    while (byte < line.size() && (static_cast<unsigned char>(line[byte]) & 0xC0) == 0x80) ++byte;
    return byte;
}

std::string_view LanguageServer::line_of(const std::string& file, std::size_t line) {
    const LanguageProject* current = project();
    const SourceFile* source = current ? current->file(file) : nullptr;
    if (!source || line >= source->lines.size()) return {};
    return source->lines[line];
}

json LanguageServer::range_json(const Place& place) {
    const std::string_view line = line_of(place.file, place.range.line);
    return {{"start", {{"line", place.range.line}, {"character", column_of(line, place.range.begin)}}},
            {"end", {{"line", place.range.line}, {"character", column_of(line, place.range.end)}}}};
}

json LanguageServer::location_json(const Place& place) {
    return {{"uri", uri_of_file(place.file)}, {"range", range_json(place)}};
}

std::optional<LanguageServer::At> LanguageServer::position_of(const json& params) {
    const auto file = file_of_uri(params.at("textDocument").at("uri"));
    if (!file || !project()) return std::nullopt;
    const std::size_t line = params.at("position").at("line");
    const std::size_t character = params.at("position").at("character");
    return At{*file, line, byte_of(line_of(*file, line), character)};
}

json LanguageServer::completion(const json& params) {
    const auto at = position_of(params);
    json items = json::array();
    if (!at) return items;
    for (const Completion& completion : complete(*project(), at->file, at->line, at->byte)) {
        json item = {{"label", completion.label},
                     {"kind", completion_item_kind(completion.kind)},
                     {"detail", completion.detail},
                     {"textEdit", {{"range", range_json(completion.replaces)},
                                   {"newText", completion.label}}}};
        if (!completion.documentation.empty())
            item["documentation"] = {{"kind", "markdown"}, {"value", completion.documentation}};
        items.push_back(std::move(item));
    }
    return {{"isIncomplete", false}, {"items", items}};
}

json LanguageServer::definition(const json& params) {
    const auto at = position_of(params);
    if (!at) return nullptr;
    const auto place = language::definition(*project(), at->file, at->line, at->byte);
    return place ? location_json(*place) : json(nullptr);
}

json LanguageServer::references(const json& params) {
    const auto at = position_of(params);
    json locations = json::array();
    if (!at) return locations;
    const bool declaration =
        params.value("context", json::object()).value("includeDeclaration", true);
    const auto definition = language::definition(*project(), at->file, at->line, at->byte);
    for (const Place& place : language::references(*project(), at->file, at->line, at->byte)) {
        if (!declaration && definition && place == *definition) continue;
        locations.push_back(location_json(place));
    }
    return locations;
}

json LanguageServer::prepare_rename(const json& params) {
    const auto at = position_of(params);
    if (!at) return nullptr;
    Place name;
    const RenameResult result = language::prepare_rename(*project(), at->file, at->line, at->byte, name);
    if (!result.refused.empty()) throw RpcError{request_failed, result.refused};
    return {{"range", range_json(name)},
            {"placeholder", std::string(line_of(name.file, name.range.line)
                                            .substr(name.range.begin, name.range.end - name.range.begin))}};
}

json LanguageServer::rename(const json& params) {
    const auto at = position_of(params);
    if (!at) throw RpcError{request_failed, "Not a file of the project"};
    const RenameResult result =
        language::rename(*project(), at->file, at->line, at->byte, params.at("newName"));
    if (!result.refused.empty()) throw RpcError{request_failed, result.refused};
    json changes = json::object();
    for (const Edit& edit : result.edits)
        changes[uri_of_file(edit.where.file)].push_back(
            {{"range", range_json(edit.where)}, {"newText", edit.text}});
    return {{"changes", changes}};
}

json LanguageServer::hover(const json& params) {
    const auto at = position_of(params);
    if (!at) return nullptr;
    const auto text = language::hover(*project(), at->file, at->line, at->byte);
    if (!text) return nullptr;
    return {{"contents", {{"kind", "markdown"}, {"value", text->markdown}}},
            {"range", range_json(text->where)}};
}

json LanguageServer::document_symbols(const json& params) {
    const auto file = file_of_uri(params.at("textDocument").at("uri"));
    json symbols = json::array();
    if (!file || !project()) return symbols;
    for (const Symbol& symbol : language::document_symbols(*project(), *file)) {
        const std::string_view last = line_of(*file, symbol.last_line);
        symbols.push_back(
            {{"name", symbol.name},
             {"detail", symbol.detail},
             {"kind", symbol_kind(symbol.kind)},
             {"range", {{"start", {{"line", symbol.first_line}, {"character", 0}}},
                        {"end", {{"line", symbol.last_line},
                                 {"character", column_of(last, last.size())}}}}},
             {"selectionRange", range_json(symbol.where)}});
    }
    return symbols;
}

json LanguageServer::workspace_symbols(const json& params) {
    json symbols = json::array();
    if (!project()) return symbols;
    for (const Symbol& symbol : language::workspace_symbols(*project(), params.value("query", "")))
        symbols.push_back({{"name", symbol.name},
                           {"kind", symbol_kind(symbol.kind)},
                           {"location", location_json(symbol.where)},
                           {"containerName", symbol.where.file}});
    return symbols;
}

json LanguageServer::code_actions(const json& params) {
    json actions = json::array();
    const auto file = file_of_uri(params.at("textDocument").at("uri"));
    if (!file || !project()) return actions;
    const std::size_t first = params.at("range").at("start").at("line");
    const std::size_t last = params.at("range").at("end").at("line");
    for (const PlacedDiagnostic& diagnostic : diagnostics_) {
        if (diagnostic.where.file != *file || diagnostic.where.range.line < first ||
            diagnostic.where.range.line > last)
            continue;
        const auto fix = quick_fix(*project(), diagnostic.diagnostic, diagnostic.where);
        if (!fix) continue;
        json changes = json::object();
        changes[uri_of_file(fix->edit.where.file)].push_back(
            {{"range", range_json(fix->edit.where)}, {"newText", fix->edit.text}});
        actions.push_back({{"title", fix->title},
                           {"kind", "quickfix"},
                           {"isPreferred", true},
                           {"diagnostics", json::array({{{"range", range_json(diagnostic.where)},
                                                         {"message", diagnostic.diagnostic.text}}})},
                           {"edit", {{"changes", changes}}}});
    }
    return actions;
}

std::vector<json> LanguageServer::publish_diagnostics() {
    due_.reset();
    std::vector<json> out;
    const LanguageProject* current = project();
    if (!current) return out;
    try {
        diagnostics_ = reading_diagnostics(*current, *parser_);
        if (options_.build) merge_diagnostics(diagnostics_, builder_.build(*current, open_texts()));
    } catch (const std::exception&) {
        // No copy of the folder could be made (a full disk): what the reading
        // found is still worth showing.
    }
    std::map<std::string, json> by_file;
    for (const std::string& file : published_) by_file[file] = json::array();
    for (const auto& [uri, document] : documents_)
        if (const auto file = file_of_uri(uri)) by_file[*file] = json::array();
    for (const PlacedDiagnostic& placed : diagnostics_) {
        const Diagnostic& d = placed.diagnostic;
        json item = {{"range", range_json(placed.where)},
                     {"severity", d.severity == Severity::error ? 1 : 2},
                     {"source", placed.source},
                     {"message", d.text}};
        if (!d.name.empty()) item["code"] = d.name;
        json related = json::array();
        for (const RelatedPlace& note : placed.related)
            related.push_back({{"location", location_json(note.where)}, {"message", note.text}});
        for (const Note& note : d.notes)
            if (!note.where.known()) item["message"] = item["message"].get<std::string>() + " (" + note.text + ")";
        if (!related.empty()) item["relatedInformation"] = related;
        by_file[placed.where.file].push_back(std::move(item));
    }
    published_.clear();
    for (auto& [file, items] : by_file) {
        if (!items.empty()) published_.push_back(file);
        json params = {{"uri", uri_of_file(file)}, {"diagnostics", items}};
        const auto open = documents_.find(params["uri"]);
        if (open != documents_.end()) params["version"] = open->second.version;
        out.push_back({{"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"},
                       {"params", params}});
    }
    return out;
}

void LanguageServer::notify(const std::string& method, const json& params) {
    pending_.push_back({{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
}

}  // namespace quenlo::lsp
