#pragma once
// The language server on a pair of streams, as editors start it: messages
// framed by "Content-Length:" headers, read on a thread of their own so that
// the diagnostics of the last change go out once the author pauses typing.

#include <iosfwd>

#include "lsp/language_server.h"

namespace quenlo::lsp {

// Serves until the client sends "exit" or closes the input; the exit status
// the protocol asks for (0 after a shutdown request, 1 otherwise).
int serve_language(std::istream& in, std::ostream& out, ServerOptions options);

}  // namespace quenlo::lsp
