#include "utf8_oracle.h"

namespace quenlo::fuzz {

// Table 3-7 of the Unicode standard: the lead byte fixes the length and the
// range of the second byte; every later byte is 80..BF.
bool is_well_formed_utf8(std::string_view bytes) {
    std::size_t i = 0;
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    while (i < bytes.size()) {
        const unsigned char lead = at(i);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (i + length > bytes.size()) return false;
        if (at(i + 1) < low || at(i + 1) > high) return false;
        for (int k = 2; k < length; ++k)
            if (at(i + k) < 0x80 || at(i + k) > 0xBF) return false;
        i += length;
    }
    return true;
}

}  // namespace quenlo::fuzz
