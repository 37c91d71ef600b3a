// The system's exceptions. Failures are exceptions; each carries the text the user is shown.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "core/ustring.h"

namespace larkwell {

// Base of every exception the system raises; Message() is what the error report shows.
class Exception : public std::exception {
 public:
  explicit Exception(ustring message);
  const ustring& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  ustring message_;
  std::string utf8_;
};

// Raised by the engine binding ("Invalid CEF Library version").
class ECefException : public Exception {
 public:
  using Exception::Exception;
};

// A failed assertion: "<message> (<unit>, line <line>)".
class EAssertionFailed : public Exception {
 public:
  EAssertionFailed(const ustring& message, const char* unit, int line);
};

// An operating-system call failed: "System Error.  Code: <code>." + line break + the system's
// text for the code, or "A call to an OS function failed" when the code is 0.
class EOSError : public Exception {
 public:
  EOSError(uint32_t code, const ustring& systemText);
  uint32_t ErrorCode() const noexcept { return code_; }

 private:
  uint32_t code_;
};

// Destroying a counted object that still has references.
class EInvalidPointer : public Exception {
 public:
  EInvalidPointer();
};

// A value that cannot be converted, e.g. a time record that is no valid date.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A file stream could not open its file: "Cannot open file "<name>". <system text>".
class EFOpenError : public Exception {
 public:
  EFOpenError(const ustring& fileName, const ustring& systemText)
      : Exception(u"Cannot open file \"" + fileName + u"\". " + systemText) {}
};

// A file stream could not create (or empty) its file: "Cannot create file "<name>". <system text>".
class EFCreateError : public Exception {
 public:
  EFCreateError(const ustring& fileName, const ustring& systemText)
      : Exception(u"Cannot create file \"" + fileName + u"\". " + systemText) {}
};

// Raises EAssertionFailed with the text "Assertion failure" when `condition` is false.
inline void Assert(bool condition, const char* unit, int line) {
  if (!condition) throw EAssertionFailed(u"Assertion failure", unit, line);
}

// The platform's line break inside messages.
#if defined(_WIN32)
inline constexpr char16_t kLineBreak[] = u"\r\n";
#else
inline constexpr char16_t kLineBreak[] = u"\n";
#endif

}  // namespace larkwell
