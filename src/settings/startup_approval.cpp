#include "settings/startup_approval.h"

namespace haloquill {

namespace {

constexpr unsigned long kRegBinary = 3;       // REG_BINARY
constexpr std::size_t kDisabledMarkSize = 12; // the number and a FILETIME

} // namespace

bool MarksStartDisabled(const std::optional<StartupApproval>& mark) {
    if (!mark || mark->type != kRegBinary || mark->bytes.size() < kDisabledMarkSize) {
        return false;
    }
    return (mark->bytes[0] & 1u) != 0; // the lowest bit of a little-endian number
}

} // namespace haloquill
