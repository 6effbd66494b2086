// Whole builds of a large project: 79 rooms of five texts, 288 objects with
// menus, 100 variables, 200 KB of scripts with 300 "f_showx(" and 300
// "f_appendx(" calls, three map pictures of 300 KB and three pictures of 100 KB.
// Targets: a debug build well under a second, so the window stays responsive
// while it builds; a debug-and-release build under 150 ms, and twice that for
// a project twice as large.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "backend/encode_release_text.h"
#include "backend/rename_runtime_identifiers.h"
#include "foundation/build.h"
#include "foundation/build_log.h"
#include "generator/pipeline.h"
#include "foundation/workspace.h"
#include "large_project.h"

namespace {

struct Quiet : quenlo::LogSink, quenlo::PollHook, quenlo::BuildUi {
    void append_line(quenlo::LogColour, std::string_view) override {}
    void clear() override {}
    void process_events() override {}
    void show_error(std::string_view text) override { error = text; }
    void set_building(bool) override {}
    std::string error;
};

class ProjectFolder {
public:
    ProjectFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quenlo-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~ProjectFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Size 1: the largest project Quenlo accepts; 2: twice as large in everything
// that has no limit (scripts, texts, pictures).
void write_sized_project(const std::string& folder, std::int64_t size) {
    quenlo::bench::write_large_project(folder, size == 1
                                                   ? quenlo::bench::largest_project()
                                                   : quenlo::bench::doubled_largest_project());
}

void BM_BuildLargeProject(benchmark::State& state) {
    const ProjectFolder folder;
    quenlo::bench::write_large_project(folder.path());
    quenlo::Workspace workspace;
    workspace.project_folder = folder.path();
    Quiet quiet;
    quenlo::BuildLog log(quiet, quiet);
    for (auto _ : state) {
        if (!quenlo::generate(workspace, log, quiet, false)) {
            state.SkipWithError(quiet.error.c_str());
            break;
        }
    }
}
BENCHMARK(BM_BuildLargeProject)->Unit(benchmark::kMillisecond);

// Argument 1: the largest project Quenlo accepts; 2: twice as large in
// everything that has no limit (scripts, texts, pictures).
void BM_BuildLargeProjectDebugAndRelease(benchmark::State& state) {
    const ProjectFolder folder;
    write_sized_project(folder.path(), state.range(0));
    quenlo::Workspace workspace;
    workspace.project_folder = folder.path();
    Quiet quiet;
    quenlo::BuildLog log(quiet, quiet);
    for (auto _ : state) {
        if (!quenlo::generate(workspace, log, quiet, true)) {
            state.SkipWithError(quiet.error.c_str());
            break;
        }
    }
    const auto megabytes = [&](const char* name) {
        return std::filesystem::file_size(folder.path() + "/" + name) / 1e6;
    };
    state.counters["debug_MB"] = megabytes("grande_debug.html");
    state.counters["release_MB"] = megabytes("grande.html");
}
BENCHMARK(BM_BuildLargeProjectDebugAndRelease)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The release transformations alone (encoding, 201 renamings, line joining,
// blank shrinking) over the debug page of the same two projects.
void BM_ReleaseTransformationsOfLargeProject(benchmark::State& state) {
    const ProjectFolder folder;
    write_sized_project(folder.path(), state.range(0));
    quenlo::Workspace workspace;
    workspace.project_folder = folder.path();
    Quiet quiet;
    quenlo::BuildLog log(quiet, quiet);
    if (!quenlo::generate(workspace, log, quiet, false)) {
        state.SkipWithError(quiet.error.c_str());
        return;
    }
    std::ifstream in(folder.path() + "/grande_debug.html", std::ios::binary);
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    quenlo::Build build(folder.path(), workspace.switches, true, log, workspace.stop);
    for (auto _ : state) {
        build.release_text = page;
        quenlo::encode_release_text(build);
        quenlo::rename_runtime_identifiers(build);
    }
    state.SetBytesProcessed(state.iterations() * page.size());
    state.counters["page_MB"] = page.size() / 1e6;
}
BENCHMARK(BM_ReleaseTransformationsOfLargeProject)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
