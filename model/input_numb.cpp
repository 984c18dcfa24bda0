#include "model/input_numb.h"

namespace model {

std::int16_t InputNumb(std::int16_t& n_KeyAscii) {
    const std::int16_t k = n_KeyAscii;
    const bool accepted = k == 46 || (k >= 48 && k <= 57) || k == 8 || k == 13;
    if (!accepted) {
        n_KeyAscii = 0;
    }
    return n_KeyAscii;
}

std::string charactersTyped() {
    std::string passing;
    for (std::int16_t code = 0x20; code < 0x7f; ++code) {
        std::int16_t key = code;
        if (InputNumb(key) != 0) {
            passing += static_cast<char>(code);
        }
    }
    return passing;
}

}  // namespace model
