// Stream readers, each new with one reference for the caller. Writers are not simulated: the
// program has no use for them. A writer export answers null and, like every export that takes
// a program structure, still takes over the reference that came with its handler.
#include "enginesim/core/engine_refs.h"
#include "enginesim/core/shield.h"
#include "enginesim/core/string_records.h"
#include "enginesim/exports.h"
#include "enginesim/web/stream_readers.h"

using namespace larkwell::enginesim;
using namespace larkwell::enginesim::web;

TCefStreamReader* CEF_EXPORT_CALL cef_stream_reader_create_for_file(const TCefString* file_name) {
  return shielded<TCefStreamReader*>(__func__, [&]() -> TCefStreamReader* {
    if (file_name == nullptr) return nullptr;
    return new_stream_reader(open_file_source(text_of(file_name)));
  });
}

TCefStreamReader* CEF_EXPORT_CALL cef_stream_reader_create_for_data(void* data, size_t size) {
  return shielded<TCefStreamReader*>(__func__, [&] { return new_stream_reader(memory_source(data, size)); });
}

TCefStreamReader* CEF_EXPORT_CALL cef_stream_reader_create_for_handler(TCefReadHandler* handler) {
  return shielded<TCefStreamReader*>(__func__, [&] { return new_stream_reader(handler_source(handler)); });
}

TCefStreamWriter* CEF_EXPORT_CALL cef_stream_writer_create_for_file(const TCefString*) { return nullptr; }

TCefStreamWriter* CEF_EXPORT_CALL cef_stream_writer_create_for_handler(TCefWriteHandler* handler) {
  return shielded<TCefStreamWriter*>(__func__, [&]() -> TCefStreamWriter* {
    TCefBase* header = reinterpret_cast<TCefBase*>(handler);
    engine_adopt_ref(header);
    engine_release(header);
    return nullptr;
  });
}
