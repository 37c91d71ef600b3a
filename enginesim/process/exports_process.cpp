// Process functions: initialise, shut down and run the engine's message loop.
#include "enginesim/core/shield.h"
#include "enginesim/exports.h"
#include "enginesim/process/process.h"

using namespace larkwell::enginesim;

int CEF_EXPORT_CALL cef_initialize(const TCefSettings* settings, TCefApp* application) {
  return shielded<int>(__func__, [&] { return process::current().initialize(settings, application); });
}

void CEF_EXPORT_CALL cef_shutdown(void) {
  shielded<void>(__func__, [] { process::current().shutdown(); });
}

void CEF_EXPORT_CALL cef_do_message_loop_work(void) {
  shielded<void>(__func__, [] { process::current().do_message_loop_work(); });
}

void CEF_EXPORT_CALL cef_run_message_loop(void) {
  shielded<void>(__func__, [] { process::current().run_message_loop(); });
}

void CEF_EXPORT_CALL cef_quit_message_loop(void) {
  shielded<void>(__func__, [] { process::current().quit_message_loop(); });
}
