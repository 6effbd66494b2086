// A whole debug build of a large project: 79 rooms of five texts, 288 objects
// with menus, 100 variables and 200 KB of scripts. Target: well under a
// second, so the window stays responsive while it builds.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "core/build_log.h"
#include "core/pipeline.h"
#include "core/workspace.h"
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

}  // namespace
