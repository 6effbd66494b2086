#pragma once
// Every failure of a build travels as this error, carrying the exact text the
// author is shown. A stop request raises it with an empty text; the pipeline
// tells a stop from other failures by the stop flag, never by the text.

#include <stdexcept>
#include <string>

namespace quenlo {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quenlo
