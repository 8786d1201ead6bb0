// libFuzzer target: Cal with every argument, the geometry and the options
// taken from the fuzzer's bytes, for every correlation code. The engine must
// return, leave no NaN or infinity in its record and restore the bubble point.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "pdrop/pdrop.h"

namespace {

double Take(const std::uint8_t*& data, std::size_t& size) {
  double v = 0.0;
  if (size >= sizeof v) {
    std::memcpy(&v, data, sizeof v);
    data += sizeof v;
    size -= sizeof v;
  }
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pdrop;
  if (size < 1) return 0;
  const int code = data[0] % 10;
  const int flags = size > 1 ? data[1] : 0;
  data += size > 1 ? 2 : 1;
  size -= size > 1 ? 2 : 1;
  static BlackOilPhases phases = [] {
    BlackOilFluid f;
    f.gasGravity = 0.7;
    return f.MakePhases();
  }();
  std::unique_ptr<CPressDrop> e(CPressDrop::New(code));
  const double innerOD = Take(data, size), pipeID = Take(data, size);
  const double dx = Take(data, size), dz = Take(data, size);
  e->Init(innerOD, pipeID, dx, dz);
  e->SetDir(flags & 1 ? -1 : 1);
  e->SetFlw(flags & 2 ? -1 : 1);
  e->SetFlowOver((flags >> 2) & 1);
  e->SetSubdiv((flags >> 3) & 1);
  e->SetGradientType((flags >> 4) & 3);
  e->SetFf(Take(data, size));
  e->SetProps(phases.gas.get(), phases.oil.get(), phases.water.get());
  const double before = phases.oil->BubblePointParameter()->Value();
  double args[6];
  for (double& a : args) a = Take(data, size);
  const double p2 = e->Cal(args[0], args[1], args[2], args[3], args[4], args[5]);
  if (!(p2 == kNotSet || (std::isfinite(p2) && p2 >= 5.0))) std::abort();
  double out[CPressData::kCopyDataSize];
  e->CopyData(out);
  for (double v : out) {
    if (!std::isfinite(v)) std::abort();
  }
  const double after = phases.oil->BubblePointParameter()->Value();
  if (!(after == before || (std::isnan(after) && std::isnan(before)))) std::abort();
  return 0;
}
