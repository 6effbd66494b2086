#pragma once
// "variables.qnv": up to 100 numbered integer variables, each declared as
// index ":" name ["=" initial value], compiled into the runtime's variable
// initialisation and name list and the table `lstvar`.

namespace quenlo {

class Build;

// Fills `lstvar` (row n names variable n, 100 rows), "___INITIALIZATION___",
// "___VARIABLEIDS___", and starts the definitions list. Fails with
// "syntax error: " + line, "duplicated variable index: " + index,
// "duplicated variable: " + name or "invalid definition: " + name.
void compile_variables(Build& build);

}  // namespace quenlo
