// The native date and time: days since 30 December 1899 as a double, the fraction being the
// time of day, in the machine's local time zone.
#pragma once

namespace larkwell {

using TDateTime = double;

}  // namespace larkwell
