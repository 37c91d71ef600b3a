#include "core/exception_text.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <typeinfo>

#include <cxxabi.h>

#include "core/exceptions.h"

namespace larkwell {

ustring ExceptionMessage(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return Utf8ToUstring(e.what());
  } catch (...) {
    return u"Unknown exception";
  }
}

std::exception_ptr InnermostException(std::exception_ptr error) noexcept {
  for (;;) {
    try {
      std::rethrow_exception(error);
    } catch (const std::nested_exception& outer) {
      std::exception_ptr inner = outer.nested_ptr();
      if (!inner) return error;
      error = inner;
    } catch (...) {
      return error;
    }
  }
}

namespace {

// The demangled name of `type` without its namespaces and template arguments.
std::string PlainClassName(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                   std::free);
  std::string name = (status == 0 && demangled) ? demangled.get() : type.name();
  if (const size_t angle = name.find('<'); angle != std::string::npos) name.erase(angle);
  if (const size_t colons = name.rfind("::"); colons != std::string::npos) name.erase(0, colons + 2);
  return name;
}

}  // namespace

ustring ExceptionKindName(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return Utf8ToUstring(PlainClassName(typeid(e)));
  } catch (...) {
    return u"Exception";
  }
}

}  // namespace larkwell
