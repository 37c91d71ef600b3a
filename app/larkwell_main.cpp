// Larkwell.exe. What it does, and in which order, is app/program.h's.
#include "app/program.h"
#include "framework/ui/win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return larkwell::RunLarkwell(); }
