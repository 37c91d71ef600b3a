// Test control of the engine stand-in.
//
// Plain C functions that the stand-in exports beside the engine's own, all named sim_*. Tests
// use them to make the engine take and drop references (also from engine threads) and to read
// the reference ledger. A test ends by checking sim_ledger_clean() (printing the report when
// it is not) and calling sim_ledger_reset().
//
// A sim_* function that answers a text copies at most size - 1 units of it and a terminating
// zero into `buffer` (nothing for a null buffer or a size of 0) and answers the text's full
// length, without the zero; copied_text below reads one whole. A structure a sim_* function
// answers carries one reference for the caller, as the engine's own results do, unless its
// comment says otherwise.
#pragma once

#include <stdint.h>

#include <string>

#include "engine/cef_api.h"

#define ENGINESIM_CONTROL extern "C" CEF_DLL_EXPORT

extern "C" {

// The structure sim_create_object makes: the header and one function of its own.
struct TSimProbe {
  TCefBase base;
  // 1 while the object lives; a call on a destroyed probe is recorded by the ledger and answers 0.
  int32_t(CEF_CALLBACK* ping)(TSimProbe* self);
};

}  // extern "C"

// --- engine objects and references

// A new engine object (a TSimProbe) carrying `initial_count` references for the caller. With 0
// nobody holds it yet: it is live until a reference is taken and released again. A negative
// count gives null.
ENGINESIM_CONTROL TCefBase* CEF_EXPORT_CALL sim_create_object(int32_t initial_count);

// The engine adds a reference to `structure`, an engine object or a program structure, through
// its add_ref and answers add_ref's result. A program structure counts as held by the engine.
ENGINESIM_CONTROL int32_t CEF_EXPORT_CALL sim_add_ref(TCefBase* structure);

// The engine takes over the reference that came with `structure` (no add_ref), as it does with
// a structure passed to it as an argument. Answers the structure's get_refct.
ENGINESIM_CONTROL int32_t CEF_EXPORT_CALL sim_adopt_ref(TCefBase* structure);

// The engine releases one reference of `structure` and answers release's result. Releasing a
// program structure that the engine does not hold is recorded as a release below zero and is
// not passed on.
ENGINESIM_CONTROL int32_t CEF_EXPORT_CALL sim_release(TCefBase* structure);

// The count the engine sees through the structure's get_refct (0 for null).
ENGINESIM_CONTROL int32_t CEF_EXPORT_CALL sim_get_refct(TCefBase* structure);

// Starts `threads` engine threads, each doing `iterations_per_thread` rounds of add_ref then
// release on every one of the `count` structures, and returns when all have been joined.
ENGINESIM_CONTROL void CEF_EXPORT_CALL sim_churn_refs(TCefBase* const* structures, int count, int threads,
                                                      int iterations_per_thread);

// The engine releases one reference of `structure` on a new thread; returns, with release's
// result, once that thread has finished.
ENGINESIM_CONTROL int32_t CEF_EXPORT_CALL sim_release_on_thread(TCefBase* structure);

// --- the ledger

// Engine objects alive (created since the last reset and not destroyed).
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_ledger_live_objects(void);
// References on program structures that the engine holds.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_ledger_held_program_refs(void);
// Releases below zero, calls on destroyed or unknown structures, double frees, stopped exceptions.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_ledger_errors(void);
// Engine-allocated string texts, userfree records, lists, maps and multimaps not yet freed.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_string_live_allocations(void);
// 1 when all four counts above are 0.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_ledger_clean(void);
// A readable account of everything outstanding and every error.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_ledger_report(char* buffer, int size);
// Forgets everything: errors, held references and what is alive or allocated now stops being
// counted; quarantined structures of destroyed objects are freed.
ENGINESIM_CONTROL void CEF_EXPORT_CALL sim_ledger_reset(void);

namespace larkwell::enginesim {

// The whole text a sim_* function copies out; copy(buffer, size) calls it.
template <class Unit, class Copy>
std::basic_string<Unit> copied_text(Copy copy) {
  std::basic_string<Unit> text(static_cast<std::size_t>(copy(nullptr, 0)) + 1, Unit{});
  const auto full = static_cast<std::size_t>(copy(text.data(), static_cast<int>(text.size())));
  text.resize(full < text.size() ? full : text.size() - 1);
  return text;
}

// The ledger report as a string, for test failure messages.
inline std::string ledger_report() {
  return copied_text<char>([](char* buffer, int size) { return sim_ledger_report(buffer, size); });
}

}  // namespace larkwell::enginesim
