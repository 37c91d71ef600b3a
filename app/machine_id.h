// The workstation's id: the network adapter's address, as the node field of a time-based UUID.
#pragma once

#include <cstdint>
#include <functional>

#include "core/ustring.h"

namespace larkwell {

// Makes one UUID (the system's 16-byte structure) and answers the system's status: 0 for
// success; anything else, a warning such as "unique only on this computer" included, fails.
using TUuidMaker = std::function<int32_t(uint8_t (&uuid)[16])>;

// The id from two UUIDs of `make`: their node bytes (10 to 15) must agree, and are written in
// memory order as six upper-case two-digit hexadecimal groups joined by "-"
// ("00-1A-2B-3C-4D-5E"). Empty when a call fails (a failing first call means no second one)
// or the node bytes differ.
ustring MachineIdFrom(const TUuidMaker& make);

#if defined(_WIN32)
// The id from "rpcrt4.dll" (UuidCreateSequential on the NT family, else UuidCreate), loaded
// and freed here; empty when the library, its export or the id cannot be had.
ustring getMacAddress();
#endif

}  // namespace larkwell
