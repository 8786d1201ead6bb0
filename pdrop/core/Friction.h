// The Fanning friction factor (a quarter of Darcy's) for absolute roughness
// e and diameter D in the same unit and Reynolds number Re: 16/Re up to
// Re = 2000; above 4000 the smooth-pipe fit 0.0014 + 0.125 Re^-0.32 for
// e = 0, else Chen's explicit form of Colebrook (Ind. Eng. Chem. Fundam. 18,
// 1979, 296); linear in Re between. Re = 0 gives 0.
#pragma once

namespace pdrop {

// Reynolds numbers at which laminar flow ends and turbulent flow begins.
constexpr double kLaminarReynolds = 2000.0;
constexpr double kTurbulentReynolds = 4000.0;

double FanningFrictionFactor(double e, double D, double Re);

// The part of Chen's form that depends on the pipe alone: e, D, the
// roughness ratio r = e/D and r^1.1098. A caller that solves many points of
// one pipe takes it once; the factor is the same, bit for bit.
struct PipeRoughness {
  double e = 0.0, D = 0.0;
  double ratio = 0.0, ratioPow = 0.0;
};
PipeRoughness RoughnessOf(double e, double D);
double FanningFrictionFactor(const PipeRoughness& pipe, double Re);

}  // namespace pdrop
