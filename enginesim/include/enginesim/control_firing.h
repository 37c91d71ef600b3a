// Test control: making the engine call the program's structures.
//
// sim_fire makes the engine call one member of a structure the program gave it (a client, a
// handler, the application object, an accessor, ...), named "<structure>.<member>" as in
// "load_handler.on_load_error", with arguments the test chooses. The engine prepares the
// arguments as it would for a real call, calls, and keeps a record of what the program
// answered and what it wrote back, which the test reads and then frees with sim_firing_free.
//
// The engine's rules, which the stand-in follows:
//  - an engine object passed as an argument carries one reference that the program takes
//    over: the engine adds it before the call;
//  - an object pointer the program writes back (or answers) carries one reference for the
//    engine: the record takes it over and releases it when it is freed;
//  - an engine string record the program wrote is the engine's to free: the record frees it.
//
// sim_client_get_handler asks a client for one of its handlers as the engine does before it
// notifies a family, and holds the answer until the test lets it go.
#pragma once

#include <stdint.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cef_api.h"
#include "enginesim/control.h"

extern "C" {

// What one argument is made of. An argument of the wrong kind for the member's parameter
// (or an integer out of its range) refuses the whole firing.
enum : int32_t {
  SIM_ARG_INT = 1,     // `number`, for any integer or enumeration parameter (flags too)
  SIM_ARG_DOUBLE,      // `real`
  SIM_ARG_POINTER,     // `pointer`, passed unchanged: a record, a buffer, a handle, or null
  SIM_ARG_OBJECT,      // `object`: an engine object (or null), with a reference for the program
  SIM_ARG_TEXT,        // read-only text: a borrowed record of `text` (`length` code units);
                       // a null `text` passes a null record pointer
  SIM_ARG_STRING,      // an engine string record the program may write, pre-filled with a
                       // sentinel copy of `text` (empty when `text` is null)
  SIM_ARG_INT_OUT,     // a pointer to an int pre-filled with `number`
  SIM_ARG_OBJECT_OUT,  // a pointer to an object pointer pre-filled with `object`, which carries
                       // a reference the program may take over, or null
};

struct TSimArg {
  int32_t kind;
  int64_t number;
  double real;
  void* pointer;
  TCefBase* object;
  const char16_t* text;
  int32_t length;
};

// The outcome of a firing (sim_firing_status).
enum : int32_t {
  SIM_FIRE_REFUSED = -1,    // unknown member or unfitting arguments (a ledger error says which)
  SIM_FIRE_EMPTY_SLOT = 0,  // the structure's member is null: nothing was called
  SIM_FIRE_CALLED = 1,
};

// The index of the member's answer in sim_firing_report.
enum : int32_t { SIM_FIRED_ANSWER = -1 };

// What the program left in one argument, or (SIM_FIRED_ANSWER) what it answered.
struct TSimFired {
  int32_t untouched;          // STRING, INT_OUT, OBJECT_OUT: the engine's storage is exactly as
                              // it was before the call
  int32_t sentinel_released;  // STRING: the pre-filled text was released through its dtor
  int32_t owned;              // STRING: the record owns its text (dtor set) after the call
  int32_t text_length;        // STRING: code units after the call
  int64_t number;             // INT_OUT: the int after the call; answer: an integer answer
  TCefBase* object;           // OBJECT, OBJECT_OUT: the pointer after the call; answer: the
                              // object answered (null for none)
  int32_t refct;              // get_refct of `object` right after the call, 0 for null
};

typedef struct TSimFiring TSimFiring;

// Calls member `slot` of `structure` with `count` arguments. Never null; read the outcome with
// sim_firing_status and free the record with sim_firing_free.
ENGINESIM_CONTROL TSimFiring* CEF_EXPORT_CALL sim_fire(void* structure, const char* slot, const TSimArg* args,
                                                       int count);
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_firing_status(const TSimFiring* firing);
// Fills `out` for argument `index` (0 = first after the structure) or SIM_FIRED_ANSWER;
// answers 0 and leaves `out` for an index the firing does not have.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_firing_report(const TSimFiring* firing, int index, TSimFired* out);
// The text a STRING argument held after the call.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_firing_text(const TSimFiring* firing, int index, char16_t* buffer, int size);
// Releases the objects the record holds and frees the engine strings the program wrote.
ENGINESIM_CONTROL void CEF_EXPORT_CALL sim_firing_free(TSimFiring* firing);

// 1 when member `slot` of `structure` is set, 0 when it is null, -1 for an unknown name.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_slot_present(const void* structure, const char* slot);
// The name of the index-th member sim_fire knows, in structure order; null past the last.
ENGINESIM_CONTROL const char* CEF_EXPORT_CALL sim_slot_name(int index);

// --- the engine's side of a client

// The engine asks `client` for its handler of `family` through the client's getter: family is
// the getter's name without "get_" and "_handler" ("life_span", "load", "request", ...,
// "permission", ..., "drag"). The engine holds the answer (one reference, counted by the
// ledger); from its first question on it also holds a reference on the client, until
// sim_client_release. Answers the handler's structure, borrowed, or null when the getter
// answered none (or the family is unknown: a ledger error). Each call asks again and holds one
// more answer.
ENGINESIM_CONTROL TCefBase* CEF_EXPORT_CALL sim_client_get_handler(TCefClient* client, const char* family);
// The engine lets go of the handlers it got from `client` for `family` (all families when
// null); answers how many it released. The reference on the client stays.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_client_release_handlers(TCefClient* client, const char* family);
// The engine is done with `client`: it releases every handler it still holds from it, then
// its reference on the client. Answers the handlers released; -1 (and a ledger error) when the
// engine holds nothing from `client`.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_client_release(TCefClient* client);

// --- firing from a work step

// Queues a firing of member `slot` for the next cef_do_message_loop_work, on the thread that
// calls it, with `count` arguments as for sim_fire (texts are copied now). `target` is either
//  - a browser of the engine's: `slot` names a member of one of its client's handlers
//    ("load_handler.on_load_end"), which the engine gets through the client's getter when the
//    step runs, as for its own notifications (no handler: nothing is called), or a member of
//    the client itself ("client.get_load_handler"); or
//  - a program structure, whose member is called directly.
// The engine holds the target and every object argument from now until the firing has run or
// the queue is dropped (cef_shutdown, sim_process_reset). What the program answers or writes
// back is let go of after the call; the test reads the effects on the program's side.
// Answers 1 when queued; 0, and a ledger error, for an unknown slot, a null target, an engine
// object that is not a browser, or a browser with a slot of no structure its client gives.
// Arguments that do not fit the member are a ledger error when the step fires.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_post_fire(void* target, const char* slot, const TSimArg* args, int count);

}  // extern "C"

namespace larkwell::enginesim {

// The arguments of a firing, in the member's order:
//   Fired f(handler, "load_handler.on_load_error",
//           {Obj(browser), Obj(frame), Int(-105), Text(u"http://a/"), String(u"engine text")});
namespace fire_args {
inline TSimArg Int(int64_t value) { return {SIM_ARG_INT, value, 0, nullptr, nullptr, nullptr, 0}; }
inline TSimArg Real(double value) { return {SIM_ARG_DOUBLE, 0, value, nullptr, nullptr, nullptr, 0}; }
inline TSimArg Ptr(const void* pointer) {
  return {SIM_ARG_POINTER, 0, 0, const_cast<void*>(pointer), nullptr, nullptr, 0};
}
inline TSimArg Obj(const void* structure) {
  return {SIM_ARG_OBJECT, 0, 0, nullptr, static_cast<TCefBase*>(const_cast<void*>(structure)), nullptr, 0};
}
inline TSimArg Text(std::u16string_view text) {
  return {SIM_ARG_TEXT, 0, 0, nullptr, nullptr, text.data() ? text.data() : u"", static_cast<int32_t>(text.size())};
}
inline TSimArg NullText() { return {SIM_ARG_TEXT, 0, 0, nullptr, nullptr, nullptr, 0}; }
inline TSimArg String(std::u16string_view sentinel) {
  TSimArg arg = Text(sentinel);
  arg.kind = SIM_ARG_STRING;
  return arg;
}
inline TSimArg EmptyString() { return {SIM_ARG_STRING, 0, 0, nullptr, nullptr, nullptr, 0}; }
inline TSimArg IntOut(int32_t sentinel) { return {SIM_ARG_INT_OUT, sentinel, 0, nullptr, nullptr, nullptr, 0}; }
inline TSimArg ObjOut(const void* structure) {
  TSimArg arg = Obj(structure);
  arg.kind = SIM_ARG_OBJECT_OUT;
  return arg;
}
}  // namespace fire_args

// One firing and its record, freed at the end of the scope.
class Fired {
 public:
  Fired(const void* structure, const char* slot, std::initializer_list<TSimArg> args)
      : Fired(structure, slot, std::vector<TSimArg>(args)) {}
  Fired(const void* structure, const char* slot, const std::vector<TSimArg>& args)
      : firing_(sim_fire(const_cast<void*>(structure), slot, args.data(), static_cast<int>(args.size()))) {}
  ~Fired() { sim_firing_free(firing_); }
  Fired(const Fired&) = delete;
  Fired& operator=(const Fired&) = delete;

  int status() const { return sim_firing_status(firing_); }
  bool called() const { return status() == SIM_FIRE_CALLED; }

  // The member's answer: an integer (Booleans 0 or 1), or an object with its count.
  int64_t answer() const { return report(SIM_FIRED_ANSWER).number; }
  TCefBase* answer_object() const { return report(SIM_FIRED_ANSWER).object; }
  int32_t answer_refct() const { return report(SIM_FIRED_ANSWER).refct; }

  // What argument `index` held after the call.
  TSimFired report(int index) const {
    TSimFired out{};
    sim_firing_report(firing_, index, &out);
    return out;
  }
  std::u16string text(int index) const {
    return copied_text<char16_t>(
        [&](char16_t* buffer, int size) { return sim_firing_text(firing_, index, buffer, size); });
  }
  bool untouched(int index) const { return report(index).untouched != 0; }
  bool sentinel_released(int index) const { return report(index).sentinel_released != 0; }
  bool owned(int index) const { return report(index).owned != 0; }
  int64_t number(int index) const { return report(index).number; }
  TCefBase* object(int index) const { return report(index).object; }
  int32_t refct(int index) const { return report(index).refct; }

 private:
  TSimFiring* firing_;
};

}  // namespace larkwell::enginesim
