// The rooms listed beside the map, and the status line about a cell.

#include "project/map_rooms.h"

#include <gtest/gtest.h>

namespace quenlo {
namespace {

std::vector<std::string> listed(const std::vector<std::string>& lines) {
    std::vector<std::string> all;
    for (const MapRoom& room : map_rooms(lines)) all.push_back(map_room_line(room));
    return all;
}

using Lines = std::vector<std::string>;

TEST(MapRooms, HeaderAndIdentifierGiveARoom) {
    EXPECT_EQ(listed({"{*01}", "_rStanzaBuia_", "Una stanza buia."}), Lines{"1:_rStanzaBuia_"});
    EXPECT_EQ(map_rooms({"{*01}", "_rStanzaBuia_"}), (std::vector<MapRoom>{{1, "_rStanzaBuia_"}}));
}

TEST(MapRooms, FlagsInTheirOrderAndBlanks) {
    EXPECT_EQ(listed({"  {:*#12}  ", "  _rBosco_|_vTestoBosco_  ", "{#3}", "_rC_", "{ 4 }", "_rD_",
                      "{:5}", "_rE_"}),
              (Lines{"12:_rBosco_", "3:_rC_", "4:_rD_", "5:_rE_"}));
    // Flags in another order leave a remainder that is no number.
    EXPECT_EQ(listed({"{*:6}", "_rF_", "{##7}", "_rG_"}), Lines{});
}

TEST(MapRooms, OnlyRoomsOneToSeventyNine) {
    EXPECT_EQ(listed({"{0}", "_rZero_", "{79}", "_rLast_", "{80}", "_rOver_", "{-1}", "_rNeg_"}),
              Lines{"79:_rLast_"});
}

TEST(MapRooms, TheLineAfterANumberedHeaderIsNeverAHeader) {
    EXPECT_EQ(listed({"{1}", "{2}", "_rTwo_"}), Lines{});
    // A header without a number is skipped, and the next line may be one.
    EXPECT_EQ(listed({"{x}", "{2}", "_rTwo_"}), Lines{"2:_rTwo_"});
    EXPECT_EQ(listed({"{}", "{3}", "_rThree_"}), Lines{"3:_rThree_"});
}

TEST(MapRooms, IdentifierLinesMustBeginAndEndWithAnUnderscore) {
    EXPECT_EQ(listed({"{1}", "rStanza_", "{2}", "_rStanza", "{3}", "_rC_ |x_"}), Lines{"3:_rC_ "});
    EXPECT_EQ(listed({"{4}"}), Lines{});  // a header at the end of the file
}

TEST(MapRooms, RoomsRepeatedAreListedEachTime) {
    EXPECT_EQ(listed({"{2}", "_rA_", "testo", "{2}", "_rB_"}), (Lines{"2:_rA_", "2:_rB_"}));
}

TEST(MapCellStatus, SaysTheCellAndItsArea) {
    const std::map<int, std::string> names = {{7, "_rCucina_"}};
    EXPECT_EQ(cell_status(3, 5, 0, names), "Column 3, row 5: no area");
    EXPECT_EQ(cell_status(3, 5, 7, names), "Column 3, row 5: area 7 _rCucina_");
    EXPECT_EQ(cell_status(28, 30, 107, names),
              "Column 28, row 30: area 7 _rCucina_, connection point");
    EXPECT_EQ(cell_status(1, 1, 112, names), "Column 1, row 1: area 12, connection point");
}

}  // namespace
}  // namespace quenlo
