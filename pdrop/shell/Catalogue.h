// Names of the correlations for titles and messages, beside the list names
// of the engine's catalogue (which give, for example, "Fanning Gas" and
// "Fanning Liquid" for the one code 0).
#pragma once

#include <string>

namespace pdrop {

// "Modified Beggs & Brill" for 3, "Petalas & Aziz" for 9; "" for a code
// that is not a correlation.
std::string CorrelationName(int code);

// "Modified Beggs & Brill (code 3)".
std::string CorrelationTitle(int code);

}  // namespace pdrop
