// libFuzzer target: the case-file reader of the pdrop command. Any text is
// either a valid case or an InputError with a message; nothing else escapes
// (a number too large for a double included).
#include <cstdint>
#include <string>

#include "pdrop/case/CaseFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    pdrop::TraverseCase c = pdrop::CaseFromJson(pdrop::ParseJsonText(text, "case"), "case");
    // A case that passed validation marches a bounded number of stations.
    if (c.MarchStations().size() > 100001) __builtin_trap();
  } catch (const pdrop::InputError&) {
  }
  return 0;
}
