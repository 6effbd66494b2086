// The back end's passes over a whole page: the unknown-identifier check (228
// runtime names and about 470 declared ones deleted in order), the code
// rewriting, and the release transformations (encoding, then 201 renamings,
// line joining and blank shrinking) over a page of several megabytes with its
// pictures. Target: a few milliseconds per megabyte, growing linearly.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "backend/check_unknown_identifiers.h"
#include "backend/encode_release_text.h"
#include "backend/rename_runtime_identifiers.h"
#include "backend/rewrite_script_code.h"
#include "backend/runtime_names.h"
#include "foundation/build.h"
#include "foundation/build_log.h"
#include "foundation/placeholders.h"
#include "foundation/text.h"

namespace {

class NoLog : public quenlo::LogSink, public quenlo::PollHook {
public:
    void append_line(quenlo::LogColour, std::string_view) override {}
    void clear() override {}
    void process_events() override {}
};

std::string object_id(int i) {
    return "_oggetto" + std::to_string(i) + "_";
}
std::string room_id(int i) {
    return "_rStanza" + std::to_string(i) + "_";
}
std::string variable(int i) {
    return "_vVAR" + std::to_string(i) + "_";
}

// A page shaped like a generated one: a head with the title and the runtime's
// declarations, the code with the author's scripts and the runtime, `scale`
// copies of the author's part, and pictures of `picture_bytes` in all.
std::string synthetic_page(int scale, std::size_t picture_bytes) {
    std::string page =
        "<!DOCTYPE html>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html\">\r\n"
        "<title>\r\nLa casa\r\n</title>\r\n<script>\r\n"
        "var o_id = [];\r\nvar g_var = [];\r\nvar g_isdebug = true;\r\n"
        "var g_roomids = [\r\n";
    for (int r = 0; r < 79 * scale; ++r) page += "'" + room_id(r % 79) + "',\r\n";
    page += "''\r\n];\r\n///===\r\n";
    for (int s = 0; s < scale; ++s) {
        for (int o = 0; o < 288; ++o) {
            page += "    f_addobj('" + object_id(o) +
                    "', 'una cosa', 'Una cosa &egrave; qui.', 'Niente di <b>speciale</b>.', "
                    "'" +
                    room_id(o % 79) + "', 0, 1, 1, 1, 0, '', 0);\r\n";
            page += "    // menu dell'oggetto\r\n";
            page += "    if (f_isobj1('" + object_id(o) + "') && f_isverb('esamina')) { " +
                    (s == 0 ? "f_showx('" : "f_show('") + "Guardi " + std::to_string(o) + "'); " +
                    variable(o % 100) + " = " + variable(o % 100) + " + 1; return true; }\r\n";
        }
        for (int r = 0; r < 79; ++r)
            page += "if (window.g_room == '" + room_id(r) +
                    "') { rdesc = 'Una stanza   grande, con una {porta|" + object_id(r) +
                    "} e molte cose.'; " + (s == 0 ? "f_appendx" : "f_append") +
                    "(rdesc); }\r\n\r\n";
        // The author's actions, conditions and counters.
        for (int a = 0; a < 2500; ++a)
            page += "if (f_isverb('usa') && f_isobj1('" + object_id(a % 288) +
                    "') && f_isplayerin('" + room_id(a % 79) + "')) { " + variable(a % 100) +
                    " = 1; f_moveplayer('" + room_id((a + 1) % 79) +
                    "'); f_show('Apri la porta e passi oltre.'); return true; }\r\n";
    }
    // The runtime: a function per name that both lists hold whole.
    for (const std::string_view name : quenlo::release_renamed_names) {
        if (name.ends_with('_') || std::find(quenlo::known_runtime_identifiers.begin(),
                                             quenlo::known_runtime_identifiers.end(),
                                             name) == quenlo::known_runtime_identifiers.end())
            continue;
        page += "function " + std::string(name) + "(a, b) {\r\n  var x = window.o_id.length;\r\n" +
                "  return f_show(x, '" + std::string(name) + "') + g_mes[1];\r\n}\r\n";
    }
    std::string data;
    for (std::size_t i = 0; data.size() < picture_bytes; ++i)
        data += "R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw+/"[i % 60];
    page +=
        "return '<img src=\\'" + quenlo::flatten(data) + "\\'>'; ///\xC2\xB0\xC2\xB0\xC2\xB0\r\n";
    page +=
        "///\xC2\xB0\xC2\xB0\xC2\xB0\r\n</script>\r\n<body onload='f_getobjects()'>\r\n</html>\r\n";
    return page;
}

struct BenchBuild {
    NoLog host;
    quenlo::BuildLog log{host, host};
    std::atomic<bool> stop{false};
    quenlo::Build build{"/nowhere", quenlo::Switches{}, true, log, stop};

    explicit BenchBuild(int scale) {
        for (int o = 0; o < 288 * scale; ++o) build.lstobj.push_back(object_id(o));
        for (int r = 0; r < 79 * scale; ++r) build.lstroom.push_back(room_id(r));
        for (int o = 0; o < 79 * scale; ++o) build.lstobjroom.push_back(object_id(o));
        for (int v = 0; v < 100; ++v) build.lstvar.push_back(variable(v));
    }
};

// The page as the check sees it: rewritten, before the pictures.
void BM_UnknownIdentifierCheck(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    BenchBuild b(scale);
    b.build.page = synthetic_page(scale, 0);
    quenlo::rewrite_script_code(b.build);
    for (auto _ : state) quenlo::check_unknown_identifiers(b.build);
    state.SetBytesProcessed(state.iterations() * b.build.page.size());
    state.counters["page_MB"] = b.build.page.size() / 1e6;
}
BENCHMARK(BM_UnknownIdentifierCheck)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_RewriteScriptCode(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    BenchBuild b(scale);
    const std::string page = synthetic_page(scale, 0);
    for (auto _ : state) {
        b.build.page = page;
        quenlo::rewrite_script_code(b.build);
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(BM_RewriteScriptCode)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Encoding, then renaming, joining and shrinking: the whole phase 23.
void BM_ReleaseTransformations(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    BenchBuild b(scale);
    b.build.page = synthetic_page(scale, 1'200'000 * scale);
    quenlo::rewrite_script_code(b.build);
    const std::string release_text = b.build.page;
    for (auto _ : state) {
        b.build.release_text = release_text;
        quenlo::encode_release_text(b.build);
        quenlo::rename_runtime_identifiers(b.build);
    }
    state.SetBytesProcessed(state.iterations() * release_text.size());
    state.counters["page_MB"] = release_text.size() / 1e6;
}
BENCHMARK(BM_ReleaseTransformations)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

// For comparison: the 201 renamings as 201 plain passes over the page.
void BM_RenamingOneNameAtATime(benchmark::State& state) {
    const std::string page = synthetic_page(1, 1'200'000);
    for (auto _ : state) {
        std::string text = page;
        for (std::size_t k = 0; k < quenlo::release_renamed_names.size(); ++k)
            quenlo::replace_all_in_place(text, quenlo::release_renamed_names[k],
                                         "_fu" + std::to_string(k));
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(BM_RenamingOneNameAtATime)->Unit(benchmark::kMillisecond);

}  // namespace
