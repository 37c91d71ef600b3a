// Conversions between the engine's text encodings.
//
// The encoding follows the code unit's width: 1 byte UTF-8, 2 bytes UTF-16, 4 bytes UTF-32.
// wchar_t therefore means UTF-16 on Windows and UTF-32 on Linux. Invalid input (a lone
// surrogate, a malformed or overlong UTF-8 sequence, a value beyond U+10FFFF) becomes U+FFFD,
// one per maximal invalid subsequence, and the conversion reports that it was not clean.
// Zero code units are ordinary characters.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace larkwell::enginesim {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

template <class Unit>
uint32_t unit_value(Unit unit) {
  return static_cast<uint32_t>(static_cast<std::make_unsigned_t<Unit>>(unit));
}

inline bool is_surrogate(uint32_t value) { return value >= 0xD800 && value <= 0xDFFF; }

// Reads the code point at src[pos] and moves pos past it. Invalid input gives U+FFFD and
// false; pos then stops at the first unit that cannot continue the sequence.
template <class Unit>
bool read_code_point(const Unit* src, std::size_t len, std::size_t& pos, char32_t& code_point) {
  const uint32_t first = unit_value(src[pos++]);
  code_point = kReplacementCharacter;
  if constexpr (sizeof(Unit) == 1) {
    if (first < 0x80) {
      code_point = first;
      return true;
    }
    // Continuation count and the range of the second byte, which rules out overlong forms,
    // encoded surrogates and values beyond U+10FFFF.
    int continuation = 0;
    uint32_t low = 0x80, high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
      continuation = 1;
    } else if (first >= 0xE0 && first <= 0xEF) {
      continuation = 2;
      if (first == 0xE0) low = 0xA0;
      if (first == 0xED) high = 0x9F;
    } else if (first >= 0xF0 && first <= 0xF4) {
      continuation = 3;
      if (first == 0xF0) low = 0x90;
      if (first == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    uint32_t value = first & (0x3F >> continuation);
    for (int i = 0; i < continuation; ++i) {
      if (pos == len) return false;
      const uint32_t next = unit_value(src[pos]);
      if (next < low || next > high) return false;
      value = (value << 6) | (next & 0x3F);
      ++pos;
      low = 0x80;
      high = 0xBF;
    }
    code_point = value;
    return true;
  } else if constexpr (sizeof(Unit) == 2) {
    if (!is_surrogate(first)) {
      code_point = first;
      return true;
    }
    if (first >= 0xDC00 || pos == len) return false;
    const uint32_t second = unit_value(src[pos]);
    if (second < 0xDC00 || second > 0xDFFF) return false;
    ++pos;
    code_point = 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
    return true;
  } else {
    static_assert(sizeof(Unit) == 4);
    if (first > 0x10FFFF || is_surrogate(first)) return false;
    code_point = first;
    return true;
  }
}

template <class Unit>
void write_code_point(std::basic_string<Unit>& out, char32_t code_point) {
  const uint32_t value = code_point;
  if constexpr (sizeof(Unit) == 1) {
    if (value < 0x80) {
      out += static_cast<Unit>(value);
    } else if (value < 0x800) {
      out += static_cast<Unit>(0xC0 | (value >> 6));
      out += static_cast<Unit>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
      out += static_cast<Unit>(0xE0 | (value >> 12));
      out += static_cast<Unit>(0x80 | ((value >> 6) & 0x3F));
      out += static_cast<Unit>(0x80 | (value & 0x3F));
    } else {
      out += static_cast<Unit>(0xF0 | (value >> 18));
      out += static_cast<Unit>(0x80 | ((value >> 12) & 0x3F));
      out += static_cast<Unit>(0x80 | ((value >> 6) & 0x3F));
      out += static_cast<Unit>(0x80 | (value & 0x3F));
    }
  } else if constexpr (sizeof(Unit) == 2) {
    if (value < 0x10000) {
      out += static_cast<Unit>(value);
    } else {
      out += static_cast<Unit>(0xD800 + ((value - 0x10000) >> 10));
      out += static_cast<Unit>(0xDC00 + ((value - 0x10000) & 0x3FF));
    }
  } else {
    out += static_cast<Unit>(value);
  }
}

// Converts src into out (replacing its content). Between units of the same width the text is
// copied unit for unit: there is nothing to convert, and the copy keeps every unit as it was.
// Returns false when invalid input had to be replaced.
template <class To, class From>
bool transcode(const From* src, std::size_t len, std::basic_string<To>& out) {
  out.clear();
  out.reserve(len);
  if constexpr (sizeof(To) == sizeof(From)) {
    for (std::size_t i = 0; i < len; ++i) out += static_cast<To>(src[i]);
    return true;
  } else {
    bool clean = true;
    std::size_t pos = 0;
    while (pos < len) {
      char32_t code_point;
      clean &= read_code_point(src, len, pos, code_point);
      write_code_point(out, code_point);
    }
    return clean;
  }
}

// UTF-16 as UTF-8 and back, invalid input as U+FFFD.
inline std::string utf8_of(std::u16string_view text) {
  std::string out;
  transcode(text.data(), text.size(), out);
  return out;
}
inline std::u16string utf16_of(std::string_view text) {
  std::u16string out;
  transcode(text.data(), text.size(), out);
  return out;
}

// Copies at most size - 1 units of `text` and a zero into `buffer` (the control's text answers);
// answers the full length. The unit follows the buffer's.
template <class Unit>
int copy_out(std::type_identity_t<std::basic_string_view<Unit>> text, Unit* buffer, int size) {
  if (buffer != nullptr && size > 0) {
    const std::size_t written = std::min(text.size(), static_cast<std::size_t>(size - 1));
    text.copy(buffer, written);
    buffer[written] = Unit{};
  }
  return static_cast<int>(text.size());
}

// Widens 7-bit ASCII; a byte above 0x7F is not ASCII and becomes U+FFFD.
template <class To>
bool widen_ascii(const char* src, std::size_t len, std::basic_string<To>& out) {
  out.clear();
  out.reserve(len);
  bool clean = true;
  for (std::size_t i = 0; i < len; ++i) {
    const uint32_t value = unit_value(src[i]);
    clean &= value < 0x80;
    write_code_point(out, value < 0x80 ? char32_t(value) : kReplacementCharacter);
  }
  return clean;
}

}  // namespace larkwell::enginesim
