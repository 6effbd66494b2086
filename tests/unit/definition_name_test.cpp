#include "checks/definition_name.h"

#include <gtest/gtest.h>

#include "foundation/error.h"

namespace quenlo {
namespace {

std::string failure_of(std::string_view name) {
    try {
        check_definition_name(name);
    } catch (const Error& e) {
        return e.what();
    }
    return "passed";
}

TEST(DefinitionName, LettersDigitsAndUnderscoresPass) {
    EXPECT_EQ(failure_of(""), "passed");
    EXPECT_EQ(failure_of("_vMOVES_"), "passed");
    EXPECT_EQ(failure_of("_0_9__"), "passed");
    EXPECT_EQ(failure_of("avventura"), "passed");
}

TEST(DefinitionName, AnyOtherCharacterFailsWithTheWholeName) {
    EXPECT_EQ(failure_of("_v MOVES_"), "invalid definition: _v MOVES_");
    EXPECT_EQ(failure_of("_città_"), "invalid definition: _città_");
    EXPECT_EQ(failure_of("_a-b_"), "invalid definition: _a-b_");
    EXPECT_EQ(failure_of("nome.html"), "invalid definition: nome.html");
}

}  // namespace
}  // namespace quenlo
