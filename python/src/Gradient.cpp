// pdrop.gradient: the in-situ multiphase gradient over arrays, computed in
// C++ threads with the GIL released, one engine per block of points (a fresh
// one per point for the mechanistic model, whose searches remember their
// last bracket), so that every point gives what it gives alone.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Binding.h"
#include "pdrop/pdrop.h"

namespace py = pybind11;

namespace pdrop::python {
namespace {

using Array = py::array_t<double, py::array::c_style | py::array::forcecast>;

// The inputs in the order of InSituPoint's fields.
constexpr const char* kNames[] = {"vsg_ftps",
                                  "vsl_ftps",
                                  "liquid_density_lbmft3",
                                  "gas_density_lbmft3",
                                  "liquid_viscosity_cP",
                                  "gas_viscosity_cP",
                                  "tension_dyncm",
                                  "pipe_id_in",
                                  "angle_deg",
                                  "pressure_psia",
                                  "temperature_F",
                                  "roughness_in",
                                  "gas_gravity",
                                  "z_factor"};
constexpr std::size_t kInputs = sizeof kNames / sizeof kNames[0];
static_assert(kAllInSituFields == (1u << kInputs) - 1, "one bit per input");

// The input columns: an array of n values gives one per point, an array of
// one value gives it to every point (step 0), so that a scalar argument need
// not be spread over n values first.
struct Columns {
  const double* data[kInputs];
  std::size_t step[kInputs];

  double At(std::size_t k, std::size_t i) const { return data[k][i * step[k]]; }
};

InSituPoint PointAt(const Columns& in, std::size_t i) {
  InSituPoint p;
  p.vsg_ftps = in.At(0, i);
  p.vsl_ftps = in.At(1, i);
  p.liquidDensity_lbmft3 = in.At(2, i);
  p.gasDensity_lbmft3 = in.At(3, i);
  p.liquidViscosity_cP = in.At(4, i);
  p.gasViscosity_cP = in.At(5, i);
  p.tension_dyncm = in.At(6, i);
  p.pipeId_in = in.At(7, i);
  p.angle_deg = in.At(8, i);
  p.pressure_psia = in.At(9, i);
  p.temperature_F = in.At(10, i);
  p.roughness_in = in.At(11, i);
  p.gasGravity = in.At(12, i);
  // NaN stands for "no z-factor given".
  const double z = in.At(13, i);
  p.zFactor = std::isnan(z) ? kNotSet : z;
  return p;
}

py::tuple Gradient(int code, const std::vector<Array>& arrays, int threads) {
  if (!HasInSituGradient(code)) {
    throw std::invalid_argument("correlation = " + std::to_string(code) +
                                " has no in-situ gradient: take 3, 4, 5 or 9 (the Flanigan "
                                "forms need the rates: use solve_segments)");
  }
  if (arrays.size() != kInputs) throw std::invalid_argument("gradient: inputs");
  // The point count: the length of the arrays that do not hold one value.
  std::size_t n = 1;
  for (const Array& a : arrays) {
    if (a.size() != 1) {
      n = static_cast<std::size_t>(a.size());
      break;
    }
  }
  Columns in;
  unsigned varying = 0;  // the inputs that change from point to point
  for (std::size_t k = 0; k < kInputs; ++k) {
    const std::size_t size = static_cast<std::size_t>(arrays[k].size());
    if (size != n && size != 1) {
      throw std::invalid_argument(std::string(kNames[k]) + ": does not broadcast");
    }
    in.data[k] = arrays[k].data();
    in.step[k] = size == 1 ? 0 : 1;
    if (size != 1) varying |= 1u << k;
  }
  // The four float results as the rows of one block, which pandas takes as
  // its own without a copy.
  Array values({static_cast<py::ssize_t>(4), static_cast<py::ssize_t>(n)});
  py::array_t<int> regime(n);
  double* f = values.mutable_data();
  double* el = f + n;
  double* t = el + n;
  double* h = t + n;
  int* r = regime.mutable_data();
  const std::size_t blocks = std::max<std::size_t>(1, std::min<std::size_t>(threads, n));
  // Each block checks its points as it solves them and stops at the first
  // one refused; the first refused point of all is named below. After a
  // block's first point only the inputs that vary need checking.
  std::vector<std::size_t> refused(blocks, n);
  {
    py::gil_scoped_release release;
    ParallelFor(blocks, static_cast<int>(blocks), [&](std::size_t b) {
      std::unique_ptr<CPressDrop> engine(CPressDrop::New(code));
      InSituGradientSolver solve(*engine);
      const std::size_t first = b * n / blocks;
      for (std::size_t i = first; i < (b + 1) * n / blocks; ++i) {
        const InSituPoint p = PointAt(in, i);
        if (!InSituFieldsAccepted(p, i == first ? kAllInSituFields : varying)) {
          refused[b] = i;
          return;
        }
        // The mechanistic model's searches remember their last bracket: a
        // fresh engine for every point.
        const InSituGradient g =
            code == 9 ? GradientAt(*std::unique_ptr<CPressDrop>(CPressDrop::New(code)), p)
                      : solve(p);
        f[i] = Nan(g.friction_psi_per_ft);
        el[i] = Nan(g.elevation_psi_per_ft);
        t[i] = Nan(g.total_psi_per_ft);
        h[i] = Nan(g.holdup);
        r[i] = g.regimeCode;
      }
    });
  }
  for (const std::size_t i : refused) {
    if (i == n) continue;
    try {
      CheckInSitu(PointAt(in, i));
    } catch (const std::invalid_argument& e) {
      throw std::invalid_argument(std::string(e.what()) + " (at index " + std::to_string(i) + ")");
    }
  }
  // The regime names as an object array, one string object per code.
  py::array names(py::dtype("O"), std::vector<py::ssize_t>{static_cast<py::ssize_t>(n)});
  auto** name = static_cast<PyObject**>(names.mutable_data());
  std::vector<std::pair<int, py::str>> known;
  for (std::size_t i = 0; i < n; ++i) {
    const py::str* text = nullptr;
    for (const auto& k : known) {
      if (k.first == r[i]) text = &k.second;
    }
    if (text == nullptr) {
      known.emplace_back(r[i], py::str(RegimeName(r[i])));
      text = &known.back().second;
    }
    PyObject* old = name[i];  // numpy fills a new object array with None
    name[i] = text->inc_ref().ptr();
    Py_XDECREF(old);
  }
  return py::make_tuple(values, regime, names);
}

}  // namespace

void BindGradient(py::module_& m) {
  std::vector<std::string> names(std::begin(kNames), std::end(kNames));
  m.attr("GRADIENT_INPUTS") = names;
  m.def("gradient_arrays", &Gradient,
        "In-situ gradients of float arrays (GRADIENT_INPUTS order) of one common length n or of "
        "one value each, on threads: friction, elevation and total gradient and holdup as the "
        "rows of a (4, n) array, the regime codes and the regime names.");
}

}  // namespace pdrop::python
