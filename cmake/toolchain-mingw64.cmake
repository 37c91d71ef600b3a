# Cross-compiles the same code for 64-bit x86 Windows: the tree whose tests run under 64-bit
# Wine on machines whose kernel refuses 32-bit programs. Never shipped.
#   cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(LARKWELL_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
