// Calling conventions at the engine boundary.
//
// This is the only header with compiler-specific keywords. On the 32-bit Windows target the
// engine's exports use cdecl and every function stored in an engine structure uses stdcall;
// on the Linux host both are the platform's one convention.
#pragma once

#if defined(_WIN32) && !defined(_WIN64)
#define CEF_CALLBACK __stdcall
#define CEF_EXPORT_CALL __cdecl
#else
#define CEF_CALLBACK
#define CEF_EXPORT_CALL
#endif

// Visibility of the stand-in engine's exports (only enginesim defines ENGINESIM_BUILDING).
#if defined(_WIN32)
#define CEF_DLL_EXPORT __declspec(dllexport)
#else
#define CEF_DLL_EXPORT __attribute__((visibility("default")))
#endif
