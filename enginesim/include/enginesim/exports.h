// The engine's 100 exports as the stand-in defines them, for the stand-in's own sources and
// for tests that call the engine directly. Declared from the contract's export list, so a
// definition whose signature drifts from the contract does not compile.
#pragma once

#include "engine/cef_api.h"

#define ENGINESIM_DECLARE_EXPORT(result, name, params) extern "C" CEF_DLL_EXPORT result CEF_EXPORT_CALL name params;
CEF_EXPORTS(ENGINESIM_DECLARE_EXPORT)
#undef ENGINESIM_DECLARE_EXPORT
