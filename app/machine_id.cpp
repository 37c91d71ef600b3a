#include "app/machine_id.h"

#include <algorithm>
#include <iterator>

namespace larkwell {

ustring MachineIdFrom(const TUuidMaker& make) {
  uint8_t first[16] = {};
  uint8_t second[16] = {};
  if (make(first) != 0) return {};
  if (make(second) != 0) return {};
  if (!std::equal(std::begin(first) + 10, std::end(first), std::begin(second) + 10)) return {};
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  ustring id;
  for (int i = 10; i < 16; ++i) {
    if (i > 10) id += u'-';
    id += kDigits[first[i] >> 4];
    id += kDigits[first[i] & 0x0F];
  }
  return id;
}

}  // namespace larkwell
