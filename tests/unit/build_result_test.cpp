#include "generator/build_result.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/project_files.h"
#include "support/sample_build.h"

namespace quenlo {
namespace {

using test::SampleBuild;

// What a front end renders from a failed build is exactly what the log
// showed, and its place links to the file at fault.
TEST_F(SampleBuild, AFailedBuildCarriesItsErrorPlaceAndReportAsData) {
    append("rooms.qnr", "{5}\r\n_rFaro_\r\nUn altro faro.\r\n");
    const BuildResult result = generate(workspace, log, ui, false);

    ASSERT_FALSE(result.succeeded);
    EXPECT_FALSE(result.stopped);
    EXPECT_TRUE(result.pages.empty());
    EXPECT_EQ(result.error_line, "Error: duplicated room: _rFaro_");
    ASSERT_FALSE(result.diagnostics.empty());
    const Diagnostic& first = result.diagnostics.front();
    EXPECT_EQ(first.severity, Severity::error);
    EXPECT_EQ(first.where.path, project_path(folder, "rooms.qnr"));
    EXPECT_EQ(first.where.text, "_rFaro_");

    EXPECT_EQ(failure_report(result), logged_from(result.error_line));
    EXPECT_EQ(result.log, sink.texts());
    const std::vector<std::string> report = failure_report(result);
    ASSERT_GE(report.size(), 2u);
    EXPECT_EQ(link_of(report[1]), first.where.path);
    EXPECT_EQ(link_of(report[2]), "");  // the source line is no link
}

TEST_F(SampleBuild, AReleaseBuildNamesBothPagesItWroteAndLinksThem) {
    const BuildResult result = generate(workspace, log, ui, true);

    ASSERT_TRUE(result.succeeded);
    const std::vector<std::string> pages = {project_path(folder, "ilfaro_debug.html"),
                                            project_path(folder, "ilfaro.html")};
    EXPECT_EQ(result.pages, pages);
    for (const std::string& page : pages) {
        EXPECT_TRUE(file_exists(page)) << page;
        EXPECT_EQ(link_of("Generated: " + page), page);
    }
    EXPECT_TRUE(result.error_line.empty());
    EXPECT_TRUE(failure_report(result).empty());
    EXPECT_EQ(result.log, sink.texts());
}

}  // namespace
}  // namespace quenlo
