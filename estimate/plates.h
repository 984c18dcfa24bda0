#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace estimate {

// One extra piece of glass for a filter or a brace.
struct Plate {
    float length = 0;  // cm
    float width = 0;   // cm
    float count = 0;   // a whole number from -32768 to 32767, held as a single
};

// The texts of the three plate fields T_FU(0..2), as typed.
struct PlateFields {
    std::string length;
    std::string width;
    std::string count;
};

// The line of the plate list for these texts, shown as typed, never converted.
std::string plateLine(const PlateFields& fields);

// The plate table: 101 slots (indexes 0 to 100) and the 8-bit count of plates
// stored so far, which is also the index the next plate takes. Plates are only
// ever added; slots 0 to count - 1 hold them in the order they were added.
class PlateTable {
  public:
    static constexpr int kSlots = 101;

    std::uint8_t count() const noexcept { return count_; }

    // The plate at an index; an index outside 0..100 is a subscript error.
    const Plate& at(int index) const;

    // Converts all three texts and checks that a slot is free before anything
    // changes, so a failed add leaves the table and the count exactly as they
    // were and the caller appends no line. On success stores the plate and
    // returns its plate line for the caller to append to the list.
    std::string add(const PlateFields& fields);

  private:
    std::array<Plate, kSlots> slots_{};
    std::uint8_t count_ = 0;
};

}  // namespace estimate
