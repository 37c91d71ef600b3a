// Interface identifiers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace larkwell {

struct TGUID {
  uint32_t D1 = 0;
  uint16_t D2 = 0;
  uint16_t D3 = 0;
  uint8_t D4[8] = {};

  friend constexpr bool operator==(const TGUID&, const TGUID&) = default;

  // Builds an identifier from its registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" at
  // compile time; a malformed text does not compile when used in a constant expression.
  template <size_t N>
  static consteval TGUID Parse(const char (&text)[N]) {
    static_assert(N == 39, "an identifier reads {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}");
    if (text[0] != '{' || text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-' || text[37] != '}')
      throw "malformed interface identifier";
    TGUID g;
    g.D1 = static_cast<uint32_t>(Hex(text, 1, 8));
    g.D2 = static_cast<uint16_t>(Hex(text, 10, 4));
    g.D3 = static_cast<uint16_t>(Hex(text, 15, 4));
    g.D4[0] = static_cast<uint8_t>(Hex(text, 20, 2));
    g.D4[1] = static_cast<uint8_t>(Hex(text, 22, 2));
    for (size_t i = 0; i < 6; ++i) g.D4[2 + i] = static_cast<uint8_t>(Hex(text, 25 + 2 * i, 2));
    return g;
  }

 private:
  static consteval uint64_t Hex(const char* text, size_t at, size_t digits) {
    uint64_t value = 0;
    for (size_t i = at; i < at + digits; ++i) {
      const char c = text[i];
      const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
      if (digit < 0) throw "malformed interface identifier";
      value = value * 16 + static_cast<uint64_t>(digit);
    }
    return value;
  }
};

}  // namespace larkwell
