// A pressure traverse: a well survey or pipeline profile marched segment by
// segment with one engine, from the end whose pressure is known to the other.
//
// Units are oilfield units and every name carries its unit: depths and
// lengths ft, diameters and roughness in, pressures psia, temperatures degF,
// gas MMscf/d, oil STB/d, water bbl/d.
//
// Sign rules of each segment, for both marching directions: the engine's
// dz is |change of true vertical depth| with the direction sign +1 going
// down (or level) and -1 going up, so that dz * dir is the increase of depth
// from the known end to the computed end; the flow sign is +1 when the march
// runs against the flow (the pressure rises toward the computed end by
// friction) and -1 with it. A producing well marched down from the wellhead
// is +1, +1; marched up from the bottom -1, -1; an injection well marched
// down from the wellhead +1, -1.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pdrop/fluid/Prop.h"
#include "pdrop/fluid/blackoil/BlackOilFluid.h"

namespace pdrop {
class CPressDrop;
}

namespace pdrop {

// One point of the profile. The pipe between two stations has the diameter,
// inner string and roughness of the station further from the first.
struct Station {
  double md_ft = 0.0;            // measured depth or distance along the pipe
  double tvd_ft = 0.0;           // true vertical depth, positive downward (-elevation)
  double id_in = 0.0;            // pipe inside diameter
  double inner_od_in = 0.0;      // outside diameter of an inner string (annulus); 0 = none
  double roughness_in = 0.0006;  // absolute roughness
};

enum class ProfileEnd { kFirst, kLast };  // first = top or inlet, last = bottom or outlet

struct TemperatureModel {
  enum class Kind { kLinear, kGeothermal };
  Kind kind = Kind::kLinear;
  double first_F = 60.0;           // linear: at the first station
  double last_F = 60.0;            // linear: at the last station (linear in measured depth)
  double surface_F = 60.0;         // geothermal: at zero true vertical depth
  double gradient_F_per_ft = 0.0;  // geothermal: increase per ft of true vertical depth

  double At(const Station& s, double firstMd_ft, double lastMd_ft) const;
};

enum class FluidMode { kBlackOil, kStream };

struct TraverseCase {
  std::string name;
  int correlation = 3;            // correlation code of CPressDrop::New
  std::vector<Station> stations;  // in order of measured depth
  // Longest segment [ft]: longer intervals are split evenly; 0 keeps the
  // stations as given.
  double max_segment_ft = 0.0;
  TemperatureModel temperature;
  ProfileEnd known_end = ProfileEnd::kFirst;
  ProfileEnd flow_to = ProfileEnd::kFirst;  // where the fluid flows to
  double known_pressure_psia = 0.0;
  double gas_MMscfd = 0.0;
  double oil_STBd = 0.0;
  double water_bbld = 0.0;
  BlackOilFluid fluid;
  FluidMode fluid_mode = FluidMode::kBlackOil;
  int flow_over = 0;      // mechanistic model: take dispersed bubble flow
  int static_phase = 0;   // column when nothing flows: 0 gas, 1 oil, 2 water
  bool subdivide = true;  // let the engine split segments with large changes
  double max_subdivisions = 20.0;
  // The engine's efficiencies: the friction and the elevation change of
  // every segment are divided by them (1 = as the correlation gives them).
  double friction_efficiency = 1.0;
  double hydrostatic_efficiency = 1.0;

  // Throws std::invalid_argument naming the field, its value and the
  // accepted range.
  void Validate() const;
  // The stations the march visits: the given ones plus the even splits.
  std::vector<Station> MarchStations() const;
};

struct TraverseRow {
  double md_ft, tvd_ft;
  double pressure_psia, temperature_F;
  double friction_dp_psi, elevation_dp_psi;  // of the segment that ends here (0 at the known end)
  double holdup;                             // liquid holdup of that segment [-]
  int regime_code;
  std::string regime_name;                      // kNotClassified when the method sets none
  double vsg_ftps, vsl_ftps, vg_ftps, vl_ftps;  // superficial and in-situ velocities
  double mixture_density_lbmft3;                // in-situ (slip) mixture density
  double turner_MMscfd, coleman_MMscfd;         // critical unloading rates here
  // Producing gas well (flowing to the first station, at most 200 bbl of
  // liquid per MMscf, the range of Turner's data) whose gas rate is below
  // the Turner rate here.
  bool loading;
};

struct TraverseResult {
  std::vector<TraverseRow> rows;  // in order of measured depth
  bool complete = false;
  std::string reason;             // why the march stopped, when it is incomplete
  double stopped_at_md_ft = 0.0;  // start of the segment that could not be computed
  double computed_end_pressure_psia = 0.0;
  double total_friction_dp_psi = 0.0;  // summed in the marching direction
  double total_elevation_dp_psi = 0.0;
  bool has_loading = false;
  double loading_md_ft = 0.0;  // first station (by measured depth) flagged for loading
  // Sentences for the reader: fitted ranges the case leaves, and a gas
  // equation that ran another calculation for this stream.
  std::vector<std::string> warnings;
};

// The name shown for a segment whose method sets no flow pattern (Gray and
// Hagedorn & Brown on their chart branches, the Flanigan forms): code 666.
inline constexpr const char* kNotClassified = "\u2014";
std::string RegimeName(int regimeCode);

// Whether a stream of gas_MMscfd carrying liquid_bbld of oil and water is a
// gas well's: gas with at most 200 bbl of liquid per MMscf (Turner et al.
// fitted wells up to about 130). Liquid loading is flagged, and lift curves
// run on the gas rate, only for gas wells.
bool IsGasWellStream(double gas_MMscfd, double liquid_bbld);

// Why the engine's last Cal has no result, in words for the reader.
std::string NoResultReason(const CPressDrop& engine);

// Marches with the built-in black-oil fluid of the case (fresh phase
// objects for each call, so calls on different threads are independent).
TraverseResult RunTraverse(const TraverseCase& c);
// Marches with host-owned phase objects (black-oil mode; fluid_mode and
// fluid of the case are not used). The objects must not be used by another
// engine at the same time.
TraverseResult RunTraverse(const TraverseCase& c, CProp* gas, CProp* oil, CProp* water);

// Sets up the segment next to the known end on `engine` exactly as the march
// does (geometry, signs, options, fluid) and solves it: the outlet pressure
// [psia] or kNotSet. Used to map the flow patterns of a case's first segment.
double SolveFirstSegment(const TraverseCase& c, CPressDrop& engine, CProp* gas, CProp* oil,
                         CProp* water);

}  // namespace pdrop
