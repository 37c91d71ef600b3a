#include "app/machine_id.h"

#include "framework/ui/win32.h"

namespace larkwell {

namespace {

using TUuidCreateProc = LONG(WINAPI*)(uint8_t* uuid);  // RPC_STATUS (RPC_ENTRY*)(UUID*)

bool NtFamily() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&version)) return true;
#pragma GCC diagnostic pop
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

ustring getMacAddress() {
  HMODULE rpc = LoadLibraryW(L"rpcrt4.dll");
  if (!rpc) return {};
  const char* name = NtFamily() ? "UuidCreateSequential" : "UuidCreate";
  // The export's type is known from its documentation: one UUID pointer in, a status out.
  auto* create = reinterpret_cast<TUuidCreateProc>(reinterpret_cast<void*>(GetProcAddress(rpc, name)));
  ustring id;
  if (create) id = MachineIdFrom([create](uint8_t (&uuid)[16]) { return static_cast<int32_t>(create(uuid)); });
  FreeLibrary(rpc);
  return id;
}

}  // namespace larkwell
