#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "foundation/base_script.h"
#include "foundation/stored_resources.h"
#include "foundation/text.h"

namespace quenlo {
namespace {

using Lines = std::vector<std::string>;

// A content line that looks like a header would split its section in two
// and lose the rest of it for a new project.
TEST(StoredDefault, HasExactlyTheFifteenSectionHeaders) {
    const BaseScript base;
    const std::string text = base.text();
    const Lines lines = split_lines(text.substr(base.html_part().size()));
    Lines headers;
    for (const auto& line : lines)
        if (is_section_header(line)) headers.push_back(std::string(trim_view(line)));
    EXPECT_EQ(headers, (Lines{"#HELP", "#INTRO", "#SUCCESS", "#FAIL", "#VARIABLES", "#COUNTERS",
                              "#MESSAGES", "#CONDITIONS", "#ACTIONS", "#ROOMS", "#OBJECTS",
                              "#REFERENCE", "#COVERIMAGE", "#SUCCESSIMAGE", "#FAILIMAGE"}));
}

std::map<int, std::string> messages_of(const Lines& lines) {
    std::map<int, std::string> messages;
    int current = -1;
    for (const auto& raw : lines) {
        const std::string line(trim_view(raw));
        if (line.size() <= 4 && line.starts_with("{") && line.ends_with("}")) {
            current = std::stoi(line.substr(1, line.size() - 2));
            messages[current];
        } else if (current > 0) {
            messages[current] += line;
        }
    }
    return messages;
}

// Authors compare against the verb texts in their scripts.
TEST(StoredDefault, HasFiftyMessagesWithTheVerbTexts) {
    const auto section = BaseScript().section_lines("#MESSAGES");
    ASSERT_TRUE(section);
    const auto messages = messages_of(*section);
    ASSERT_EQ(messages.size(), 50u);
    EXPECT_EQ(messages.begin()->first, 1);
    EXPECT_EQ(messages.rbegin()->first, 50);
    const std::map<int, std::string> verbs = {
        {18, "usa con"}, {19, "esamina"},     {20, "prendi"}, {21, "lascia"},    {22, "indossa"},
        {23, "togli"},   {24, "conferma..."}, {25, "vai"},    {35, "te stesso"}, {44, "parla con"}};
    for (const auto& [number, verb] : verbs) EXPECT_EQ(messages.at(number), verb) << number;
    // No custom room, and every message the engine shows has a text.
    EXPECT_EQ(messages.at(41), "");
    EXPECT_EQ(messages.at(42), "");
    for (int n : {1,  2,  3,  4,  5,  6,  7,  8,  26, 28, 29, 30, 32,
                  33, 34, 36, 38, 39, 40, 45, 46, 47, 48, 49, 50})
        EXPECT_NE(messages.at(n), "") << n;
    // The key and the file name hold no character that a cookie name or a
    // file name would stumble on.
    for (int n : {2, 50})
        EXPECT_EQ(messages.at(n).find_first_not_of("abcdefghijklmnopqrstuvwxyz"),
                  std::string::npos);
}

struct GifSize {
    int width;
    int height;
};

GifSize gif_size(std::string_view bytes) {
    if (bytes.size() < 10 || bytes.substr(0, 6) != "GIF89a") return {0, 0};
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    return {byte(6) | byte(7) << 8, byte(8) | byte(9) << 8};
}

TEST(StoredDefault, ExampleMapPictureIsAGifOfTheMapSize) {
    const GifSize size = gif_size(example_map_picture());
    EXPECT_EQ(size.width, 560);
    EXPECT_EQ(size.height, 600);
}

TEST(StoredDefault, PicturesAreSmallGifDataTexts) {
    const BaseScript base;
    for (const char* name : {"#COVERIMAGE", "#SUCCESSIMAGE", "#FAILIMAGE"}) {
        const auto lines = base.section_lines(name);
        ASSERT_TRUE(lines) << name;
        std::string text;
        for (const auto& line : *lines) text += trim_view(line);
        EXPECT_TRUE(text.starts_with("data:image/gif;base64,R0lGODlh")) << name;
        EXPECT_GT(text.size(), 1000u) << name;
        EXPECT_LT(text.size(), 10000u) << name;
    }
}

// The release page joins lines, so a trailing comment would swallow the
// code joined after it; only the verbatim marker may follow code.
TEST(StoredDefault, NoCodeLineOfThePageEndsInAComment) {
    const Lines lines = split_lines(BaseScript().html_part());
    bool script = false;
    for (const auto& raw : lines) {
        const std::string_view line = trim_view(raw);
        if (line == "<script>") script = true;
        if (line == "</script>") script = false;
        if (!script || line.starts_with("//")) continue;
        const auto comment = line.find("//");
        if (comment == std::string_view::npos) continue;
        EXPECT_TRUE(line.ends_with("///°°°") && line.find("//") == line.size() - 9) << raw;
    }
}

}  // namespace
}  // namespace quenlo
