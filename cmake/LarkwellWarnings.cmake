# Compiler warnings for Larkwell's own targets: larkwell_warnings(<target>).
#
# -Wconversion and -Wsign-conversion are left out: the engine binding converts between
# C integer types at every boundary and the noise would hide real findings.
# -Wcast-function-type (in -Wextra) stays on: on 32-bit x86 a cast between function
# pointer types hides a stdcall/cdecl mismatch.

option(LARKWELL_WERROR "Treat compiler warnings as errors" OFF)

function(larkwell_warnings target)
  if(MSVC)
    set(flags /W4 /permissive-)
    set(werror /WX)
  else()
    set(flags
      -Wall -Wextra -Wpedantic
      -Wshadow                # a local hiding a member or parameter
      -Wnon-virtual-dtor      # interfaces released through a base pointer
      -Woverloaded-virtual    # an override that silently became an overload
      -Wundef)                # a misspelt platform macro in #if
    set(werror -Werror)
  endif()
  if(LARKWELL_WERROR)
    list(APPEND flags ${werror})
  endif()
  target_compile_options(${target} PRIVATE ${flags})
endfunction()
