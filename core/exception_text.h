// What the error reports say about an exception.
#pragma once

#include <exception>

#include "core/ustring.h"

namespace larkwell {

// The message of `error`: Message() of the system's exceptions, what() of other standard
// exceptions (UTF-8), a fixed text for anything else. Never throws for a non-empty `error`.
ustring ExceptionMessage(const std::exception_ptr& error);

// The error that caused `error`: an exception raised while handling another carries that one
// nested (std::throw_with_nested); this follows the chain to its end.
std::exception_ptr InnermostException(std::exception_ptr error) noexcept;

// The kind of `error` as a reader knows it: the unqualified class name ("EOSError",
// "bad_alloc"), or "Exception" for a thrown value of no class.
ustring ExceptionKindName(const std::exception_ptr& error);

}  // namespace larkwell
