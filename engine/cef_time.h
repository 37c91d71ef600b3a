// The engine's time record (coordinated universal time) and the native TDateTime (local time).
#pragma once

#include "core/datetime.h"
#include "engine/cef_api.h"

namespace larkwell {

// The engine's time as local time. Raises EConvertError for a record that is no valid date
// (month 0, for instance); each field counts only with its low 16 bits.
TDateTime CefTimeToDateTime(const TCefTime& time);

// The local time `value` as the engine's record in coordinated universal time (the day of the
// week derived from the date).
TCefTime DateTimeToCefTime(TDateTime value);

}  // namespace larkwell
