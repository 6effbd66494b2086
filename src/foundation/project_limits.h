#pragma once
// How much one adventure can hold, as every layer counts it: the model that
// reads the files, the compilers that fill the runtime's tables and the checks.

#include <cstddef>

namespace quenlo {

inline constexpr int room_count = 80;                // rooms 0 to 79; the player never is in room 0
inline constexpr int texts_per_room = 5;             // a room's texts, divided by "§"
inline constexpr int message_count = 100;            // messages 1 to 99
inline constexpr int fixed_message_count = 50;       // messages 1 to 50 are the runtime's own
inline constexpr int variable_count = 100;           // variables 0 to 99
inline constexpr int largest_initial_value = 65533;  // what a saved game can keep
inline constexpr std::size_t object_rows = 300;      // the runtime's object table
inline constexpr std::size_t reserved_objects = 11;  // its rows 0 to 10
inline constexpr std::size_t full_object_list = 299;  // an object added at this row fails

}  // namespace quenlo
