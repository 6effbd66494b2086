#include "foundation/symbol_table.h"

#include <gtest/gtest.h>

namespace quenlo {
namespace {

TEST(SymbolTable, NamesAreWholeAndTheFirstDeclarationKeepsThem) {
    SymbolTable symbols;
    EXPECT_EQ(symbols.declare({"_chiave_d_", SymbolKind::object, {"objects.qno", 3, 1, {}, {}}}),
              nullptr);
    EXPECT_EQ(symbols.find("_chiave_"), nullptr);
    EXPECT_EQ(symbols.declare({"_chiave_", SymbolKind::object, {}}), nullptr);
    const Symbol* earlier = symbols.declare({"_chiave_d_", SymbolKind::room, {}});
    ASSERT_NE(earlier, nullptr);
    EXPECT_EQ(earlier->kind, SymbolKind::object);
    EXPECT_EQ(earlier->where.line, 3u);
}

// The slips authors make: two letters swapped, one left out or doubled.
TEST(SymbolTable, NearestNameForgivesOneSlipInFourLetters) {
    SymbolTable symbols;
    for (const char* name : {"_banco_", "_baule_", "_rGiardino_"})
        symbols.declare({name, SymbolKind::object, {}});
    EXPECT_EQ(symbols.nearest("_bacno_"), "_banco_");
    EXPECT_EQ(symbols.nearest("_rGiadrino_"), "_rGiardino_");
    EXPECT_EQ(symbols.nearest("_rGiardino_"), std::nullopt);  // itself is no suggestion
    EXPECT_EQ(symbols.nearest("_lanterna_"), std::nullopt);

    const std::vector<std::string_view> keys = {":desc.short:", ":desc.long:", "takeable"};
    EXPECT_EQ(nearest_name(":desc.shrt:", keys), ":desc.short:");
    EXPECT_EQ(nearest_name("takable", keys), "takeable");
    EXPECT_EQ(nearest_name("tk", keys), std::nullopt);
    EXPECT_EQ(edit_distance("abcdef", "badcfe", 5), 3u);
    EXPECT_EQ(edit_distance("abc", "abcdefgh", 2), 3u);  // past the limit: limit + 1
}

}  // namespace
}  // namespace quenlo
