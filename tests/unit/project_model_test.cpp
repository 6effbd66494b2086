#include "model/project_reading.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "foundation/project_files.h"
#include "support/sample_build.h"

namespace quenlo {
namespace {

struct ProjectModelOfTheSample : test::SampleBuild {
    ProjectModel read(std::map<std::string, std::string> open_texts = {}) {
        ProjectSources sources(folder, std::move(open_texts));
        return read_project_model(sources);
    }
    std::string text_of(const std::string& file) { return read_text(project_path(folder, file)); }

    static std::vector<std::string> problem_lines(const ProjectModel& model) {
        std::vector<std::string> lines;
        for (const Diagnostic& problem : model.problems)
            for (const BlockLine& line : diagnostic_block(problem))
                if (line.text.find("error:") != std::string::npos ||
                    line.text.find("note") != std::string::npos)
                    lines.push_back(line.text.substr(line.text.rfind('/') + 1));
        return lines;
    }
};

TEST_F(ProjectModelOfTheSample, DeclarationsAndUsesAreReadWithTheirPlaces) {
    const ProjectModel model = read();
    EXPECT_TRUE(model.problems.empty()) << problem_lines(model).front();
    const auto& rooms = model.rooms.rooms;
    ASSERT_FALSE(rooms.empty());
    EXPECT_TRUE(rooms.front().start);
    EXPECT_EQ(rooms.front().identifier.text, "_rStanzaBuia_");

    // "c'è un vecchio {baule|_baule_}": after the "è" a byte, a character
    // and a UTF-16 unit count differently.
    const auto link = std::find_if(model.uses.begin(), model.uses.end(), [](const NameUse& use) {
        return use.name == "_baule_" && use.role == NameUse::Role::link;
    });
    ASSERT_NE(link, model.uses.end());
    ProjectSources sources(folder);
    const SourceFile& file = sources.file("rooms.qnr");
    EXPECT_EQ(file.lines[link->range.line].substr(link->range.begin, 7), "_baule_");
    EXPECT_EQ(utf16_column(file.lines[link->range.line], link->range.begin), 22u);
    EXPECT_EQ(place_of(file, link->range).column, 23u);

    const auto baule = std::find_if(model.objects.objects.begin(), model.objects.objects.end(),
                                    [](const ObjectDecl& o) { return o.id.text == "_baule_"; });
    ASSERT_NE(baule, model.objects.objects.end());
    EXPECT_EQ(baule->items.front().kind, ObjectItem::Kind::flags);
    EXPECT_TRUE(std::any_of(model.uses.begin(), model.uses.end(), [](const NameUse& use) {
        return use.role == NameUse::Role::script && use.file == "actions.qna";
    }));
}

TEST_F(ProjectModelOfTheSample, EveryMistakeIsAProblemAtItsPlaceAndAnOpenTextStandsForItsFile) {
    std::string rooms = text_of("rooms.qnr");
    rooms.replace(rooms.find("|_baule_}"), 9, "|_baue_}");
    std::string objects = text_of("objects.qno");
    objects +=
        "\r\n{_Baule_}\r\n:desc.short: b\r\n:desc.long: b\r\n:examinable takable\r\n"
        ":found: _chiave_,_nessuno_\r\n:room: _rCantina_\r\n";
    const ProjectModel model = read({{"rooms.qnr", rooms}, {"objects.qno", objects}});
    const std::vector<std::string> lines = problem_lines(model);
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("rooms.qnr:12:23: error: missing objects specification: _baue_"));
    EXPECT_TRUE(has("objects.qno:27:2: note: did you mean _baule_?"));
    EXPECT_TRUE(has("objects.qno:88:2: error: duplicated object: _Baule_"));
    EXPECT_TRUE(has("objects.qno:27:2: note: first declared here"));
    EXPECT_TRUE(has("objects.qno:91: error: unknown object property: takable"));
    EXPECT_TRUE(has("note: did you mean takeable?"));
    EXPECT_TRUE(has("objects.qno:92:18: error: unknown :found: objects specification: _nessuno_"));
    EXPECT_TRUE(has("objects.qno:93:8: error: unknown room: _rCantina_"));
    EXPECT_EQ(model.problems.size(), 5u) << ::testing::PrintToString(lines);
}

}  // namespace
}  // namespace quenlo
