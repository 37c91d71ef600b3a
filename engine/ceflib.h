// The whole engine binding in one include: the C contract, strings, the object bridge, the
// wrappers of engine objects and the program objects the engine calls.
#pragma once

#include "engine/cef_api.h"
#include "engine/cef_base.h"
#include "engine/cef_call.h"
#include "engine/cef_interfaces.h"
#include "engine/cef_string.h"
#include "engine/cef_time.h"
#include "engine/entry_points.h"

#include "engine/browser_ref.h"
#include "engine/closures.h"
#include "engine/dom_refs.h"
#include "engine/drag_data_ref.h"
#include "engine/frame_ref.h"
#include "engine/handlers_own.h"
#include "engine/loader.h"
#include "engine/request_ref.h"
#include "engine/response_ref.h"
#include "engine/script_own.h"
#include "engine/stream_reader_ref.h"
#include "engine/v8_refs.h"
