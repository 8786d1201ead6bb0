// pdrop.gradient: the in-situ multiphase gradient over arrays, computed in
// C++ threads with the GIL released, one engine per block of points (a fresh
// one per point for the mechanistic model, whose searches remember their
// last bracket), so that every point gives what it gives alone.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <string>
#include <vector>

#include "Binding.h"
#include "pdrop/pdrop.h"

namespace py = pybind11;

namespace pdrop::python {
namespace {

using Array = py::array_t<double, py::array::c_style | py::array::forcecast>;

// The inputs in the order of InSituPoint's fields.
constexpr const char* kNames[] = {"vsg_ftps",           "vsl_ftps",        "liquid_density_lbmft3",
                                  "gas_density_lbmft3", "liquid_viscosity_cP",
                                  "gas_viscosity_cP",   "tension_dyncm",   "pipe_id_in",
                                  "angle_deg",          "pressure_psia",   "temperature_F",
                                  "roughness_in",       "gas_gravity",     "z_factor"};
constexpr std::size_t kInputs = sizeof kNames / sizeof kNames[0];

InSituPoint PointAt(const std::vector<const double*>& in, std::size_t i) {
  InSituPoint p;
  p.vsg_ftps = in[0][i];
  p.vsl_ftps = in[1][i];
  p.liquidDensity_lbmft3 = in[2][i];
  p.gasDensity_lbmft3 = in[3][i];
  p.liquidViscosity_cP = in[4][i];
  p.gasViscosity_cP = in[5][i];
  p.tension_dyncm = in[6][i];
  p.pipeId_in = in[7][i];
  p.angle_deg = in[8][i];
  p.pressure_psia = in[9][i];
  p.temperature_F = in[10][i];
  p.roughness_in = in[11][i];
  p.gasGravity = in[12][i];
  // NaN stands for "no z-factor given".
  p.zFactor = std::isnan(in[13][i]) ? kNotSet : in[13][i];
  return p;
}

py::tuple Gradient(int code, const std::vector<Array>& arrays, int threads) {
  if (!HasInSituGradient(code)) {
    throw std::invalid_argument("correlation = " + std::to_string(code) +
                                " has no in-situ gradient: take 3, 4, 5 or 9 (the Flanigan "
                                "forms need the rates: use solve_segments)");
  }
  if (arrays.size() != kInputs) throw std::invalid_argument("gradient: inputs");
  const std::size_t n = static_cast<std::size_t>(arrays[0].size());
  std::vector<const double*> in;
  for (std::size_t k = 0; k < kInputs; ++k) {
    if (static_cast<std::size_t>(arrays[k].size()) != n) {
      throw std::invalid_argument(std::string(kNames[k]) + ": does not broadcast");
    }
    in.push_back(arrays[k].data());
  }
  for (std::size_t i = 0; i < n; ++i) {
    try {
      CheckInSitu(PointAt(in, i));
    } catch (const std::invalid_argument& e) {
      throw std::invalid_argument(std::string(e.what()) + " (at index " + std::to_string(i) + ")");
    }
  }
  Array friction(n), elevation(n), total(n), holdup(n);
  py::array_t<int> regime(n);
  double* f = friction.mutable_data();
  double* el = elevation.mutable_data();
  double* t = total.mutable_data();
  double* h = holdup.mutable_data();
  int* r = regime.mutable_data();
  const std::size_t blocks = std::max<std::size_t>(1, std::min<std::size_t>(threads, n));
  {
    py::gil_scoped_release release;
    ParallelFor(blocks, static_cast<int>(blocks), [&](std::size_t b) {
      std::unique_ptr<CPressDrop> engine(CPressDrop::New(code));
      for (std::size_t i = b * n / blocks; i < (b + 1) * n / blocks; ++i) {
        if (code == 9) engine.reset(CPressDrop::New(code));
        const InSituGradient g = GradientAt(*engine, PointAt(in, i));
        f[i] = Nan(g.friction_psi_per_ft);
        el[i] = Nan(g.elevation_psi_per_ft);
        t[i] = Nan(g.total_psi_per_ft);
        h[i] = Nan(g.holdup);
        r[i] = g.regimeCode;
      }
    });
  }
  return py::make_tuple(friction, elevation, total, holdup, regime);
}

}  // namespace

void BindGradient(py::module_& m) {
  std::vector<std::string> names(std::begin(kNames), std::end(kNames));
  m.attr("GRADIENT_INPUTS") = names;
  m.def("gradient_arrays", &Gradient,
        "In-situ gradients of equal-length float arrays (GRADIENT_INPUTS order) on threads.");
}

}  // namespace pdrop::python
