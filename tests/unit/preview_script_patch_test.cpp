#include "preview/script_patch.h"

#include <gtest/gtest.h>

#include <string>

namespace quenlo {
namespace {

const std::string head = "<!DOCTYPE html>\r\n<!-- <script> in a comment -->\r\n<head>\r\n<script>\r\n"
                         "var loadqueue = [];\r\n</script>\r\n<script>\r\n";
const std::string tail = "</SCRIPT>\r\n</head>\r\n<body><div id='content'></div></body>\r\n";

std::string page(const std::string& script) {
    return head + script + tail;
}

// A room text saved anew: only its line changes, in the second script; the
// browser sees the script's text from the line break after its tag.
TEST(PreviewScriptPatch, ACHangedLineOfTheRuntimeIsAllThatTravels) {
    const auto patch = script_patch(page("var a = 1;\r\nvar r = 'Sei qui.';\r\nvar b = 2;\r\n"),
                                    page("var a = 1;\r\nvar r = 'Sei l\xC3\xAC.';\r\nvar r2 = '';\r\nvar b = 2;\r\n"));
    ASSERT_TRUE(patch.has_value());
    EXPECT_EQ(patch->script, 1u);
    EXPECT_EQ(patch->lines, 5u);
    EXPECT_EQ(patch->kept_before, 2u);
    EXPECT_EQ(patch->kept_after, 2u);
    EXPECT_EQ(patch->inserted, (std::vector<std::string>{"var r = 'Sei l\xC3\xAC.';", "var r2 = '';"}));
}

TEST(PreviewScriptPatch, LinesEndAsABrowserEndsThem) {
    const auto patch = script_patch(page("a\rb\nc\r\nd"), page("a\rB\nc\r\nd"));
    ASSERT_TRUE(patch.has_value());
    EXPECT_EQ(patch->lines, 5u);
    EXPECT_EQ(patch->kept_before, 2u);
    EXPECT_EQ(patch->kept_after, 2u);
    EXPECT_EQ(patch->inserted, (std::vector<std::string>{"B"}));
}

TEST(PreviewScriptPatch, LinesRemovedLeaveNothingToInsert) {
    const auto patch = script_patch(page("a\nx\ny\nb\n"), page("a\nb\n"));
    ASSERT_TRUE(patch.has_value());
    EXPECT_EQ(patch->kept_before, 2u);
    EXPECT_EQ(patch->kept_after, 2u);
    EXPECT_TRUE(patch->inserted.empty());
}

// Whatever else changed, or might be read differently, the page reloads.
TEST(PreviewScriptPatch, ChangesOutsideOneScriptGetNoPatch) {
    const std::string script = "var a = 1;\r\n";
    EXPECT_FALSE(script_patch(page(script), page(script)).has_value());
    EXPECT_FALSE(script_patch(page(script), page(script) + "<p>more</p>").has_value());
    std::string retitled = page("var a = 2;\r\n");
    retitled.replace(retitled.find("<head>"), 6, "<head><title>x</title>");
    EXPECT_FALSE(script_patch(page(script), retitled).has_value());
    EXPECT_FALSE(script_patch(page(script), page("var a = '</script>';\r\n")).has_value());
    EXPECT_FALSE(script_patch(page(script), page("var a = '<!--';\r\n")).has_value());
    EXPECT_FALSE(script_patch(page(script), page("var a = 2;\r\n</script><script>\r\n")).has_value());
}

}  // namespace
}  // namespace quenlo
