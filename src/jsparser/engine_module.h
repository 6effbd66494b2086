#pragma once
// Finds and loads the engine's module, once per process.

#include "jsengine/engine_entry.h"

namespace quenlo {

// The loaded module's entry. Fails with "JavaScript parser could not start:
// <why>" when the module is missing or does not load; later calls fail alike.
const EngineEntry& engine_module();

}  // namespace quenlo
