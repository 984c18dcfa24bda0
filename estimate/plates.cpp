#include "estimate/plates.h"

#include "estimate/conversions.h"
#include "estimate/run_time_error.h"

namespace estimate {
namespace {

void checkIndex(int index) {
    if (index < 0 || index >= PlateTable::kSlots) {
        throw RunTimeError(ErrorKind::SubscriptOutOfRange);
    }
}

}  // namespace

std::string plateLine(const PlateFields& fields) {
    return "长" + fields.length + "  *  宽  " + fields.width + "   *  " + fields.count + "块";
}

const Plate& PlateTable::at(int index) const {
    checkIndex(index);
    return slots_[static_cast<std::size_t>(index)];
}

std::string PlateTable::add(const PlateFields& fields) {
    const int index = count_;
    checkIndex(index);
    Plate plate;
    plate.length = toSingle(fields.length);
    plate.width = toSingle(fields.width);
    plate.count = toInteger(fields.count);
    const std::uint8_t next = toByte(index + 1);
    std::string line = plateLine(fields);

    slots_[static_cast<std::size_t>(index)] = plate;
    count_ = next;
    return line;
}

}  // namespace estimate
