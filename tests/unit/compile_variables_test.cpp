#include "compilers/compile_variables.h"

#include <gtest/gtest.h>

#include "support/build_harness.h"

namespace quenlo {
namespace {

struct Variables : test::PhaseHarness {
    explicit Variables(const std::string& source)
        : test::PhaseHarness({{"variables.qnv", source}}) {
        build.page = "init{\r\n___INITIALIZATION___}\r\nids[\r\n___VARIABLEIDS___]";
    }
    std::string compile() {
        return error_of([&] { compile_variables(build); });
    }
    std::vector<std::string> initialisation() const {
        return test::lines_between(build.page, "init{", "}");
    }
    std::vector<std::string> names() const { return test::lines_between(build.page, "ids[", "]"); }
};

TEST(CompileVariables, TemplateDeclarations) {
    Variables v("// indice:nome=valore\r\n0:_vCOMPLETION_=0\r\n1:_vMOVES_=0\r\n");
    ASSERT_EQ(v.compile(), "(no error)");
    EXPECT_EQ(v.initialisation(),
              (std::vector<std::string>{"window.g_var[0]=0;", "window.g_var[1]=0;"}));
    const auto names = v.names();
    ASSERT_EQ(names.size(), 100u);
    EXPECT_EQ(names[0], "'_vCOMPLETION_',");
    EXPECT_EQ(names[1], "'_vMOVES_',");
    EXPECT_EQ(names[2], "'',");
    EXPECT_EQ(names[99], "'',");
    ASSERT_EQ(v.build.lstvar.size(), 100u);
    EXPECT_EQ(v.build.lstvar[1], "_vMOVES_");
    ASSERT_EQ(v.build.symbols.size(), 2u);
    EXPECT_EQ(v.build.symbols.find("_vMOVES_")->where.line, 3u);
    EXPECT_EQ(v.log_texts(), (std::vector<std::string>{
                                 "Merge file: " + v.project.file("variables.qnv"),
                                 "Added variable: 0:_vCOMPLETION_", "Added variable: 1:_vMOVES_"}));
}

TEST(CompileVariables, EmptyOrCommentOnlyFile) {
    for (const std::string source : {"", "// solo commenti\r\n\r\n   \r\n"}) {
        Variables v(source);
        ASSERT_EQ(v.compile(), "(no error)");
        EXPECT_TRUE(v.initialisation().empty());
        EXPECT_EQ(v.names(), std::vector<std::string>(100, "'',"));
        EXPECT_EQ(v.build.lstvar, std::vector<std::string>(100));
        EXPECT_EQ(v.build.symbols.size(), 0u);
    }
}

TEST(CompileVariables, ValuesBlanksAndIndexForms) {
    Variables v("12:_vB_\r\n  +07: _vA_ =   65533  \r\n");
    // The blank before "=" belongs to the name, which then does not end in "_".
    EXPECT_EQ(v.compile(), "syntax error: +07: _vA_ =   65533");

    Variables w("12:_vB_\r\n+07: _vA_=   65533\r\n007:_vC_=0\r\n");
    EXPECT_EQ(w.compile(), "duplicated variable index: 7");

    Variables x("12:_vB_\r\n+07: _vA_=   65533\r\n");
    ASSERT_EQ(x.compile(), "(no error)");
    EXPECT_EQ(x.initialisation(),
              (std::vector<std::string>{"window.g_var[7]=65533;", "window.g_var[12]=0;"}));
    EXPECT_EQ(x.names()[7], "'_vA_',");
    EXPECT_EQ(x.log_texts()[1], "Added variable: 7:_vA_");
    EXPECT_EQ(x.log_texts()[2], "Added variable: 12:_vB_");
}

TEST(CompileVariables, ShortestNameAndCaseSensitiveNames) {
    Variables v("0:_a_\r\n1:_vX_\r\n2:_vx_\r\n");
    ASSERT_EQ(v.compile(), "(no error)");
    EXPECT_EQ(v.build.lstvar[0], "_a_");
    EXPECT_EQ(v.build.lstvar[2], "_vx_");
}

TEST(CompileVariables, SyntaxErrors) {
    for (const std::string line :
         {"_vA_=1", "100:_vA_", "-1:_vA_", "1 :_vA_", "x:_vA_", "1:_vA_=65534", "1:_vA_=-1",
          "1:_vA_=uno", "1:_vA_=1 // commento", "1:__", "1:vA_", "1:_vA", "1:", ":_vA_",
          "1:_vA_=", "99999999999:_vA_"}) {
        Variables v("0:_vOK_\r\n" + line + "\r\n");
        EXPECT_EQ(v.compile(), "syntax error: " + line) << line;
        // Reading fails before anything is added.
        EXPECT_EQ(v.log_texts().size(), 1u) << line;
    }
}

TEST(CompileVariables, DuplicatedIndexAndName) {
    Variables index("3:_vA_\r\n3:_vB_\r\n");
    EXPECT_EQ(index.compile(), "duplicated variable index: 3");
    Variables name("3:_vA_\r\n4:_vA_\r\n");
    EXPECT_EQ(name.compile(), "duplicated variable: _vA_");
}

TEST(CompileVariables, InvalidNameFailsWhileWritingAfterLowerIndexes) {
    Variables v("5:_v-b_\r\n2:_vA_\r\n");
    EXPECT_EQ(v.compile(), "invalid definition: _v-b_");
    EXPECT_EQ(v.log_texts().back(), "Added variable: 2:_vA_");
}

TEST(CompileVariables, StopRequestEndsTheCompiler) {
    Variables v("0:_vA_\r\n1:_vB_\r\n");
    v.events.on_poll = [&](int polls) {
        if (polls == 2) v.stop = true;
    };
    EXPECT_EQ(v.compile(), "");
}

}  // namespace
}  // namespace quenlo
