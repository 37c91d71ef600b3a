#include "enginesim/core/ledger.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "enginesim/core/shield.h"
#include "enginesim/core/sim_object.h"

namespace larkwell::enginesim {
namespace {

// Error texts kept for the report; the count goes on beyond them.
constexpr std::size_t kKeptErrorTexts = 64;
// Lines per section of the report.
constexpr int kReportedItems = 32;

const char* allocation_name(Allocation kind) {
  switch (kind) {
    case Allocation::text:
      return "string text";
    case Allocation::userfree_record:
      return "userfree string";
    case Allocation::string_list:
      return "string list";
    case Allocation::string_map:
      return "string map";
    case Allocation::string_multimap:
      return "string multimap";
  }
  return "allocation";
}

std::string format(const char* pattern, ...) {
  char text[256];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(text, sizeof text, pattern, args);
  va_end(args);
  return text;
}

}  // namespace

Ledger& ledger() {
  static Ledger* const instance = new Ledger;
  return *instance;
}

void note_stopped_exception(const char* entry) noexcept {
  try {
    ledger().record_error(std::string("exception stopped in ") + entry);
  } catch (...) {
    // Out of memory while reporting: nothing more can be done.
  }
}

// --- engine objects

void Ledger::register_object(SimObject& object) {
  std::lock_guard lock(mutex_);
  objects_[object.header()] = ObjectEntry{&object, object.kind(), epoch_, nullptr};
}

void Ledger::retire_object(SimObject& object) {
  std::lock_guard lock(mutex_);
  ObjectEntry& entry = objects_[object.header()];
  entry.object = nullptr;
  entry.quarantined_block = std::move(object.block_);
}

void Ledger::forget_object(const SimObject& object) {
  std::lock_guard lock(mutex_);
  objects_.erase(object.header());
}

SimObject* Ledger::find_object(const void* structure, const char* call) {
  std::lock_guard lock(mutex_);
  auto found = objects_.find(structure);
  if (found == objects_.end()) {
    record_error_locked(format("%s on %p, which is not an engine structure", call, structure));
    return nullptr;
  }
  if (found->second.object == nullptr) {
    record_error_locked(format("%s on destroyed %s %p", call, found->second.kind, structure));
  }
  return found->second.object;
}

bool Ledger::is_engine_structure(const void* structure) {
  std::lock_guard lock(mutex_);
  return objects_.count(structure) != 0;
}

// --- program structures

void Ledger::note_program_hold(const TCefBase* structure) {
  std::lock_guard lock(mutex_);
  ++program_holds_[structure].held;
}

bool Ledger::note_program_release(const TCefBase* structure) {
  std::lock_guard lock(mutex_);
  auto found = program_holds_.find(structure);
  if (found == program_holds_.end()) {
    record_error_locked(format("release below zero: the engine holds no reference on program structure %p",
                               static_cast<const void*>(structure)));
    return false;
  }
  ProgramHold& hold = found->second;
  if (hold.held > 0) {
    --hold.held;
  } else {
    --hold.abandoned;
  }
  if (hold.held == 0 && hold.abandoned == 0) program_holds_.erase(found);
  return true;
}

// --- allocations

void Ledger::track_allocation(const void* address, Allocation kind) {
  std::lock_guard lock(mutex_);
  allocations_[address] = AllocationEntry{kind, epoch_};
}

bool Ledger::untrack_allocation(const void* address, Allocation kind, const char* call) {
  std::lock_guard lock(mutex_);
  if (!check_allocation_locked(address, kind, call)) return false;
  allocations_.erase(address);
  return true;
}

bool Ledger::is_live_allocation(const void* address, Allocation kind, const char* call) {
  std::lock_guard lock(mutex_);
  return check_allocation_locked(address, kind, call);
}

bool Ledger::check_allocation_locked(const void* address, Allocation kind, const char* call) {
  auto found = allocations_.find(address);
  if (found != allocations_.end() && found->second.kind == kind) return true;
  record_error_locked(
      format("%s on %p, which is not a live %s of the engine (freed already?)", call, address, allocation_name(kind)));
  return false;
}

// --- results

void Ledger::record_error(std::string text) {
  std::lock_guard lock(mutex_);
  record_error_locked(std::move(text));
}

void Ledger::record_error_locked(std::string text) {
  ++error_count_;
  if (errors_.size() < kKeptErrorTexts) errors_.push_back(std::move(text));
}

int Ledger::live_objects() {
  std::lock_guard lock(mutex_);
  return static_cast<int>(
      std::ranges::count_if(objects_, [this](const auto& item) { return outstanding(item.second); }));
}

int Ledger::held_program_refs() {
  std::lock_guard lock(mutex_);
  int count = 0;
  for (const auto& [structure, hold] : program_holds_) count += hold.held;
  return count;
}

int Ledger::error_count() {
  std::lock_guard lock(mutex_);
  return error_count_;
}

int Ledger::live_allocations() {
  std::lock_guard lock(mutex_);
  return static_cast<int>(
      std::ranges::count_if(allocations_, [this](const auto& item) { return outstanding(item.second); }));
}

std::string Ledger::report() {
  std::lock_guard lock(mutex_);
  std::string text;
  int listed = 0;
  auto has_room = [&listed] { return listed++ < kReportedItems; };
  for (const auto& [structure, entry] : objects_) {
    if (!outstanding(entry) || !has_room()) continue;
    text +=
        format("live engine object: %s %p, count %d\n", entry.kind, structure, static_cast<int>(entry.object->count()));
  }
  listed = 0;
  for (const auto& [structure, hold] : program_holds_) {
    if (hold.held == 0 || !has_room()) continue;
    text += format("program structure %p: the engine holds %d reference(s)\n", static_cast<const void*>(structure),
                   hold.held);
  }
  listed = 0;
  for (const auto& [address, entry] : allocations_) {
    if (!outstanding(entry) || !has_room()) continue;
    text += format("not freed: %s %p\n", allocation_name(entry.kind), address);
  }
  for (const std::string& error : errors_) text += "error: " + error + "\n";
  if (static_cast<std::size_t>(error_count_) > errors_.size()) {
    text += format("(%d more errors)\n", error_count_ - static_cast<int>(errors_.size()));
  }
  return text;
}

void Ledger::reset() {
  std::lock_guard lock(mutex_);
  ++epoch_;
  std::erase_if(objects_, [](const auto& item) { return item.second.object == nullptr; });
  for (auto& [structure, hold] : program_holds_) {
    hold.abandoned += hold.held;
    hold.held = 0;
  }
  errors_.clear();
  error_count_ = 0;
}

}  // namespace larkwell::enginesim
