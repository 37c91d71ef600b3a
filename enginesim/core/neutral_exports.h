// Defines exports of a family the stand-in does not simulate yet: each answers 0 or null and
// changes nothing. A family gets real behaviour by replacing its file's one line with
// definitions of its own.
#pragma once

#include "enginesim/core/shield.h"
#include "enginesim/exports.h"

#define ENGINESIM_DEFINE_NEUTRAL_EXPORT(result, name, params) \
  result CEF_EXPORT_CALL name params { return ::larkwell::enginesim::neutral_answer<result>(); }
