#include "compilers/compile_object_menus.h"

#include <gtest/gtest.h>

#include "foundation/text.h"
#include "model/read_sources.h"
#include "support/build_harness.h"

namespace quenlo {
namespace {

struct Menu : test::PhaseHarness {
    // Compiles the block that follows ":menu:" in `source`, as the model
    // reads it; `index` is where it ends in `lines`, from the ":menu:" line.
    std::string compile(const std::string& source) {
        file.path = "objects.qno";
        file.lines = split_lines("{_lavagna_}\r\n:menu:\r\n" + source);
        const ObjectsReading reading = read_objects(file);
        const ObjectItem& menu = reading.objects.at(0).items.at(0);
        lines.assign(file.lines.begin() + 1, file.lines.end());
        index = menu.end_line - 1;
        return error_of([&] { compile_menu_block(build, file, menu, "_lavagna_", verbs); });
    }
    SourceFile file;
    MenuVerbs verbs;
    std::vector<std::string> menu() const { return split_lines(build.reAddMenu); }

    std::vector<std::string> lines;
    std::size_t index = 0;
};

TEST(CompileObjectMenus, QuotedVerbGivesSevenLines) {
    Menu m;
    ASSERT_EQ(m.compile("++\"cancella\";"), "(no error)");
    EXPECT_EQ(m.menu(), (std::vector<std::string>{
                            "",
                            "// --------------------------------------",
                            "// objects.qno :menu: for object: _lavagna_",
                            "if (id=='_lavagna_'){ window.g_list.length = 0; ",
                            " f_additem(node,'cancella',window.g_list); window.g_list.length = 0;",
                            "}",
                            "// --------------------------------------",
                        }));
    EXPECT_EQ(m.index, 2u);  // the end of the source
}

TEST(CompileObjectMenus, EmptyBlockKeepsItsFrame) {
    Menu m;
    ASSERT_EQ(m.compile(""), "(no error)");
    EXPECT_EQ(m.menu().size(), 6u);
    EXPECT_EQ(m.menu()[4], "}");
}

TEST(CompileObjectMenus, EveryLineForm) {
    Menu m;
    ASSERT_EQ(m.compile("  -\"te stesso\";  \r\n"
                        "-f_inventory();\r\n"
                        "// un commento\r\n"
                        "\r\n"
                        "if (f_istaken(\"_mattone03_\"))\r\n"
                        "++\"dai a\";\r\n"
                        "++f_verbo(1);\r\n"
                        "-qualcosa;\r\n"
                        "-\"l'uomo\";\r\n"
                        "++\"x\";\r\n"
                        "-\"a\";\r\n"
                        "-\"\xC3\xA8\";\r\n"
                        "f_show(1)\r\n"
                        ":weight: 5\r\n"
                        "{_altro_}\r\n"
                        "-\"mai\";\r\n"),
              "(no error)");
    const auto menu = m.menu();
    EXPECT_EQ(std::vector<std::string>(menu.begin() + 4, menu.end()),
              (std::vector<std::string>{
                  " f_addvm('te stesso');",
                  " f_inventory();",
                  " if (f_istaken(\"_mattone03_\"))",
                  " f_additem(node,'dai a',window.g_list); window.g_list.length = 0;",
                  " f_additem(node,f_verbo(1),window.g_list); window.g_list.length = 0;",
                  " f_addvm('qualcosa');",
                  " f_addvm('l\\'uomo');",
                  " f_additem(node,'x',window.g_list); window.g_list.length = 0;",
                  " -\"a\";",         // five characters: copied
                  " -\"\xC3\xA8\";",  // five characters, six bytes: copied
                  " f_show(1)",
                  " :weight: 5",
                  "}",
                  "// --------------------------------------",
              }));
    EXPECT_EQ(m.lines[m.index], "{_altro_}");
}

TEST(CompileObjectMenus, BlockEndsAtKeysAndHeadersOnly) {
    for (const std::string end : {":desc.examine:", ":", "{_ab_}", "  :x:  "}) {
        Menu m;
        ASSERT_EQ(m.compile("++\"a b\";\r\n" + end + "\r\n++\"dopo\";\r\n"), "(no error)");
        EXPECT_EQ(m.menu().size(), 7u) << end;
        EXPECT_EQ(m.index, 2u) << end;
    }
    // "{_a}" is shorter than five characters and "{_ab}" does not end with "_}".
    Menu m;
    ASSERT_EQ(m.compile("{_a}\r\n{_ab}\r\n"), "(no error)");
    EXPECT_EQ(m.menu()[4], " {_a}");
    EXPECT_EQ(m.menu()[5], " {_ab}");
}

TEST(CompileObjectMenus, TranslationRules) {
    EXPECT_EQ(translate_menu_line("++\"x\";"),
              "f_additem(node,'x',window.g_list); window.g_list.length = 0;");
    EXPECT_EQ(translate_menu_line("++g_v;"),
              "f_additem(node,g_v,window.g_list); window.g_list.length = 0;");
    EXPECT_EQ(translate_menu_line("++\"a''b\";"),
              "f_additem(node,'a&quot;b',window.g_list); window.g_list.length = 0;");
    EXPECT_EQ(translate_menu_line("-f_inventory();"), "f_inventory();");
    EXPECT_EQ(translate_menu_line("-\"ab\";"), "f_addvm('ab');");
    EXPECT_EQ(translate_menu_line("-abcd;"), "f_addvm('abcd');");
    EXPECT_EQ(translate_menu_line("-abcd"), "-abcd");
    EXPECT_EQ(translate_menu_line("x = 1;"), "x = 1;");
    EXPECT_EQ(translate_menu_line("-abc;"), "-abc;");
    EXPECT_EQ(translate_menu_line("-ab;"), "-ab;");
}

TEST(CompileObjectMenus, TwoBlocksForOneObject) {
    Menu m;
    ASSERT_EQ(m.compile("++\"a\";"), "(no error)");
    ASSERT_EQ(m.compile("++\"b\";"), "(no error)");
    EXPECT_EQ(test::lines_starting_with(m.build.reAddMenu, "if (id==").size(), 2u);
}

TEST(CompileObjectMenus, StopRequestEndsTheBlock) {
    Menu m;
    m.stop = true;
    EXPECT_EQ(m.compile("++\"a\";"), "");
}

}  // namespace
}  // namespace quenlo
