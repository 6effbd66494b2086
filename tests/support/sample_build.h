#pragma once
// The sample adventure of a new project in a folder of its own, built as the
// window builds it, for tests that change a file or two and look at the build.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/project_files.h"
#include "foundation/workspace.h"
#include "generator/pipeline.h"
#include "project/new_project_files.h"
#include "support/temp_project.h"
#include "support/test_host.h"

namespace quenlo::test {

class SampleBuild : public ::testing::Test {
protected:
    SampleBuild() {
        write_new_project(BaseScript(), folder);
        workspace.project_folder = folder;
    }

    void append(const std::string& file, const std::string& text) {
        const std::string path = project_path(folder, file);
        parent.write("faro/" + file, read_bytes(path) + text);
    }

    // The lines the sink got from the first one equal to `first`, without the
    // empty line that ends a build.
    std::vector<std::string> logged_from(const std::string& first) const {
        const std::vector<std::string> all = sink.texts();
        const int at = sink.index_of(first);
        if (at < 0) return {};
        return {all.begin() + at, all.end() - 1};
    }

    std::string link_of(const std::string& text) const {
        for (const LoggedLine& line : sink.lines)
            if (line.text == text) return line.link;
        return "(no such line)";
    }

    BuildResult build(bool release = false) { return generate(workspace, log, ui, release); }

    TempFolder parent;
    const std::string folder = parent.path() + "/faro";
    Workspace workspace;
    RecordingLog sink;
    ScriptedEvents events;
    BuildLog log{sink, events};
    RecordingUi ui;
};

}  // namespace quenlo::test
