# Applies LARKWELL_SANITIZERS (for example "address;undefined" or "thread") to every
# target of the host build, GoogleTest included. Include this before any target exists.
# The Windows build ignores the setting: mingw has no sanitizer runtimes.

if(NOT LARKWELL_SANITIZERS)
  return()
endif()

if(WIN32)
  message(STATUS "Larkwell: LARKWELL_SANITIZERS ignored on the Windows build")
  return()
endif()

if("thread" IN_LIST LARKWELL_SANITIZERS AND "address" IN_LIST LARKWELL_SANITIZERS)
  message(FATAL_ERROR "LARKWELL_SANITIZERS: thread and address cannot be combined")
endif()

list(JOIN LARKWELL_SANITIZERS "," _larkwell_sanitizer_list)
message(STATUS "Larkwell: sanitizers ${_larkwell_sanitizer_list}")

# -fno-sanitize-recover=all turns every UBSan finding into a failing exit code.
add_compile_options(
  -fsanitize=${_larkwell_sanitizer_list}
  -fno-omit-frame-pointer
  -fno-sanitize-recover=all)
add_link_options(-fsanitize=${_larkwell_sanitizer_list})
unset(_larkwell_sanitizer_list)
