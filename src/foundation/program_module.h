#pragma once
// Shared modules of Quenlo's own that a program loads only when it first needs
// them (the script engine, the graph layout), so that a program which never
// does loads neither them nor the libraries they bring.

#include <string>

namespace quenlo {

// The address of `symbol` in the module `file_name`: installed, the modules
// lie in lib/quenlo beside the programs' bin; in the build tree, at
// `built_path`. Loaded once and never unloaded. Fails with
// std::runtime_error saying why ("its module ... was not found", the
// loader's message).
void* program_module_symbol(const std::string& file_name, const std::string& built_path,
                            const char* symbol);

}  // namespace quenlo
