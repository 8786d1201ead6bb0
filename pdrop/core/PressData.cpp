#include "pdrop/core/PressData.h"

#include <cmath>

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(CPressData, CObject)

CPressData::CPressData() { Init(); }

// The fields that assignment skips keep their initial not-set value.
CPressData::CPressData(const CPressData& other) : CObject() {
  Init();
  *this = other;
}

void CPressData::Init() {
  m_dLength = kNotSet;
  m_dFlowRegime = kUndefinedRegime;
  m_dP1 = m_dP2 = m_dP = m_dIterations = m_dT = kNotSet;
  m_dFrictionDP = m_dElevationDP = m_dHoldup = m_dFE = kNotSet;
  m_dBg = m_dRhoG = m_dZ = m_dMuG = m_dVsg = m_dLambdaG = kNotSet;
  m_dQgDissolved = m_dGasLiquidYield = m_dQlInGas = kNotSet;
  m_dBo = m_dRhoO = m_dRso = m_dMuO = m_dSigmaO = m_dVso = kNotSet;
  m_dBw = m_dRhoW = m_dMuW = m_dSigmaW = m_dVsw = kNotSet;
  m_dRhoL = m_dMuL = m_dVsl = m_dLambdaL = m_dSigma = m_dLiquidVolume = kNotSet;
  m_dVg = m_dVl = m_dReM = m_dFm = m_dRhoNS = m_dMuNS = m_dRhoS = m_dVm = kNotSet;
  m_dQg = m_dQo = m_dQw = m_dQlInSitu = kNotSet;
  m_dGLMassRatio = m_dXg = m_dXo = m_dXw = kNotSet;
}

CPressData& CPressData::operator=(const CPressData& o) {
  m_dLength = o.m_dLength;
  m_dFlowRegime = o.m_dFlowRegime;
  m_dP1 = o.m_dP1;
  m_dP2 = o.m_dP2;
  m_dP = o.m_dP;
  m_dIterations = o.m_dIterations;
  m_dT = o.m_dT;
  m_dFrictionDP = o.m_dFrictionDP;
  m_dElevationDP = o.m_dElevationDP;
  m_dHoldup = o.m_dHoldup;
  m_dFE = o.m_dFE;
  m_dBg = o.m_dBg;
  m_dRhoG = o.m_dRhoG;
  m_dZ = o.m_dZ;
  m_dMuG = o.m_dMuG;
  m_dVsg = o.m_dVsg;
  m_dLambdaG = o.m_dLambdaG;
  m_dQgDissolved = o.m_dQgDissolved;
  m_dGasLiquidYield = o.m_dGasLiquidYield;
  m_dQlInGas = o.m_dQlInGas;
  m_dBo = o.m_dBo;
  m_dRhoO = o.m_dRhoO;
  m_dRso = o.m_dRso;
  m_dMuO = o.m_dMuO;
  m_dSigmaO = o.m_dSigmaO;
  m_dVso = o.m_dVso;
  m_dBw = o.m_dBw;
  m_dRhoW = o.m_dRhoW;
  m_dMuW = o.m_dMuW;
  m_dSigmaW = o.m_dSigmaW;
  m_dVsw = o.m_dVsw;
  m_dRhoL = o.m_dRhoL;
  m_dMuL = o.m_dMuL;
  m_dVsl = o.m_dVsl;
  m_dLambdaL = o.m_dLambdaL;
  m_dSigma = o.m_dSigma;
  m_dLiquidVolume = o.m_dLiquidVolume;
  m_dVg = o.m_dVg;
  m_dVl = o.m_dVl;
  m_dReM = o.m_dReM;
  m_dFm = o.m_dFm;
  m_dRhoNS = o.m_dRhoNS;
  m_dMuNS = o.m_dMuNS;
  m_dRhoS = o.m_dRhoS;
  m_dVm = o.m_dVm;
  m_dTotalDP = o.m_dTotalDP;
  m_dStatus = o.m_dStatus;
  m_dQg = o.m_dQg;
  m_dQo = o.m_dQo;
  m_dQw = o.m_dQw;
  m_dGLMassRatio = o.m_dGLMassRatio;
  m_dXg = o.m_dXg;
  m_dXo = o.m_dXo;
  m_dXw = o.m_dXw;
  return *this;
}

int CPressData::CopyData(double* out) const {
  const double values[kCopyDataSize] = {m_dLength,
                                        m_dFlowRegime,
                                        m_dP1,
                                        m_dP2,
                                        m_dP,
                                        m_dIterations,
                                        m_dT,
                                        m_dFrictionDP,
                                        m_dElevationDP,
                                        m_dHoldup,
                                        m_dFE,
                                        m_dBg,
                                        m_dRhoG,
                                        m_dZ,
                                        m_dMuG,
                                        m_dVsg,
                                        m_dLambdaG,
                                        m_dQgDissolved,
                                        m_dGasLiquidYield,
                                        m_dQlInGas,
                                        m_dBo,
                                        m_dRhoO,
                                        m_dRso,
                                        m_dMuO,
                                        m_dSigmaO,
                                        m_dVso,
                                        m_dBw,
                                        m_dRhoW,
                                        m_dMuW,
                                        m_dSigmaW,
                                        m_dVsw,
                                        m_dRhoL,
                                        m_dMuL,
                                        m_dVsl,
                                        m_dLambdaL,
                                        m_dSigma,
                                        m_dLiquidVolume,
                                        m_dVg,
                                        m_dVl,
                                        m_dReM,
                                        m_dFm,
                                        m_dRhoNS,
                                        m_dMuNS,
                                        m_dRhoS,
                                        m_dVm,
                                        m_dTotalDP,
                                        m_dStatus,
                                        m_dQg,
                                        m_dQo,
                                        m_dQw,
                                        m_dGLMassRatio,
                                        m_dXg,
                                        m_dXo,
                                        m_dXw};
  for (int i = 0; i < kCopyDataSize; ++i) out[i] = values[i];
  return kCopyDataSize;
}

const char* const* CopyDataNames() {
  static const char* const names[CPressData::kCopyDataSize] = {"length_ft",
                                                               "flow_regime",
                                                               "p1_psia",
                                                               "p2_psia",
                                                               "mean_pressure_psia",
                                                               "iterations",
                                                               "mean_temperature_R",
                                                               "friction_dp_psi",
                                                               "elevation_dp_psi",
                                                               "holdup",
                                                               "pipeline_efficiency",
                                                               "bg_ft3_per_scf",
                                                               "gas_density_lbmft3",
                                                               "z_factor",
                                                               "gas_viscosity_cP",
                                                               "vsg_ftps",
                                                               "lambda_gas",
                                                               "dissolved_gas_MMscfd",
                                                               "gas_liquid_yield_bbl_per_MMscf",
                                                               "liquid_in_gas_bbld",
                                                               "bo_bbl_per_STB",
                                                               "oil_density_lbmft3",
                                                               "rso_MMscf_per_STB",
                                                               "oil_viscosity_cP",
                                                               "oil_tension_dyncm",
                                                               "vso_ftps",
                                                               "bw_bbl_per_bbl",
                                                               "water_density_lbmft3",
                                                               "water_viscosity_cP",
                                                               "water_tension_dyncm",
                                                               "vsw_ftps",
                                                               "liquid_density_lbmft3",
                                                               "liquid_viscosity_cP",
                                                               "vsl_ftps",
                                                               "lambda_liquid",
                                                               "liquid_tension_dyncm",
                                                               "liquid_volume_bbl",
                                                               "vg_ftps",
                                                               "vl_ftps",
                                                               "reynolds",
                                                               "friction_factor",
                                                               "no_slip_density_lbmft3",
                                                               "mixture_viscosity_cP",
                                                               "mixture_density_lbmft3",
                                                               "vm_ftps",
                                                               "total_dp_psi",
                                                               "status",
                                                               "gas_scfd",
                                                               "oil_STBd",
                                                               "water_bbld",
                                                               "gas_liquid_mass_ratio",
                                                               "gas_mass_fraction",
                                                               "oil_mass_fraction",
                                                               "water_mass_fraction"};
  return names;
}

// Field by field rather than through a table of pointers: the engine calls
// this after every calculation, and the straight sequence is the cheaper.
void CPressData::ClearNonFinite() {
  const auto Clear = [](double& v) { v = FiniteOrNotSet(v); };
  Clear(m_dLength);
  Clear(m_dFlowRegime);
  Clear(m_dP1);
  Clear(m_dP2);
  Clear(m_dP);
  Clear(m_dIterations);
  Clear(m_dT);
  Clear(m_dFrictionDP);
  Clear(m_dTotalDP);
  Clear(m_dElevationDP);
  Clear(m_dHoldup);
  Clear(m_dFE);
  Clear(m_dBg);
  Clear(m_dRhoG);
  Clear(m_dZ);
  Clear(m_dMuG);
  Clear(m_dVsg);
  Clear(m_dLambdaG);
  Clear(m_dQgDissolved);
  Clear(m_dGasLiquidYield);
  Clear(m_dQlInGas);
  Clear(m_dBo);
  Clear(m_dRhoO);
  Clear(m_dRso);
  Clear(m_dMuO);
  Clear(m_dSigmaO);
  Clear(m_dVso);
  Clear(m_dBw);
  Clear(m_dRhoW);
  Clear(m_dRsw);
  Clear(m_dMuW);
  Clear(m_dSigmaW);
  Clear(m_dVsw);
  Clear(m_dRhoL);
  Clear(m_dMuL);
  Clear(m_dVsl);
  Clear(m_dLambdaL);
  Clear(m_dSigma);
  Clear(m_dLiquidVolume);
  Clear(m_dVg);
  Clear(m_dVl);
  Clear(m_dReM);
  Clear(m_dFm);
  Clear(m_dRhoNS);
  Clear(m_dMuNS);
  Clear(m_dRhoS);
  Clear(m_dVm);
  Clear(m_dStatus);
  Clear(m_dQg);
  Clear(m_dQo);
  Clear(m_dQw);
  Clear(m_dQlInSitu);
  Clear(m_dGLMassRatio);
  Clear(m_dXg);
  Clear(m_dXo);
  Clear(m_dXw);
}

}  // namespace pdrop
