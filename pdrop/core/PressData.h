// The segment record: everything known about one pipe segment during and
// after a pressure-drop calculation. Oilfield units throughout (psia, psi,
// degR, ft, in, ft/s, lbm/ft3, cP, dyn/cm, scf/d, STB/d, bbl/d). kNotSet marks
// a value that was not computed; 666 is the flow-regime code before any
// regime has been determined.
#pragma once

#include "pdrop/platform/NotSet.h"
#include "pdrop/platform/Object.h"

namespace pdrop {

class CPressData : public CObject {
  PDROP_DECLARE_DYNAMIC(CPressData)

 public:
  // Number of values CopyData writes.
  static constexpr int kCopyDataSize = 54;
  // Flow-regime code while no regime has been determined.
  static constexpr double kUndefinedRegime = 666.0;

  CPressData();
  CPressData(const CPressData& other);
  ~CPressData() override = default;

  // Every field but m_dTotalDP, m_dRsw and m_dStatus to kNotSet, the flow
  // regime to 666.
  void Init();

  // Copies every field except m_dRsw and m_dQlInSitu, which the target keeps.
  CPressData& operator=(const CPressData& other);

  // Flattens the record into out[0..53] (the caller provides the room) and
  // returns 54. m_dTotalDP stands at index 45; m_dRsw and m_dQlInSitu are not
  // exported.
  int CopyData(double* out) const;

  // Replaces every non-finite field by kNotSet, so that no NaN or infinity
  // leaves the engine as a result.
  void ClearNonFinite();

  double m_dLength;             // segment length along the pipe [ft]
  double m_dFlowRegime;         // flow-regime code held as a double
  double m_dP1;                 // pressure at the known end [psia]
  double m_dP2;                 // pressure at the other end: the result [psia]
  double m_dP;                  // mean (evaluation) pressure [psia]
  double m_dIterations;         // mean-pressure iterations of the last piece
  double m_dT;                  // mean (evaluation) temperature [degR]
  double m_dFrictionDP;         // friction pressure change, as added to m_dP1 [psi]
  double m_dTotalDP = kNotSet;  // friction + elevation [psi]
  double m_dElevationDP;        // elevation pressure change, as added to m_dP1 [psi]
  double m_dHoldup;             // in-situ liquid holdup [fraction]
  double m_dFE;                 // working pipeline efficiency of the gas equations
  double m_dBg;                 // gas formation volume factor [ft3/scf]
  double m_dRhoG;               // gas density [lbm/ft3]
  double m_dZ;                  // gas compressibility factor [-]
  double m_dMuG;                // gas viscosity [cP]
  double m_dVsg;                // superficial gas velocity [ft/s]
  double m_dLambdaG;            // no-slip gas fraction Vsg/Vm
  double m_dQgDissolved;        // gas dissolved in oil and water [MMscf/d]
  double m_dGasLiquidYield;     // liquid carried by the gas [bbl/MMscf]
  double m_dQlInGas;            // liquid carried by the free gas [bbl/d]
  double m_dBo;                 // oil formation volume factor [bbl/STB]
  double m_dRhoO;               // oil density [lbm/ft3]
  double m_dRso;                // solution gas-oil ratio [MMscf/STB]
  double m_dMuO;                // oil viscosity [cP]
  double m_dSigmaO;             // oil surface tension [dyn/cm]
  double m_dVso;                // superficial oil velocity [ft/s]
  double m_dBw;                 // water formation volume factor [bbl/bbl]
  double m_dRhoW;               // water density [lbm/ft3]
  double m_dRsw = kNotSet;      // gas solubility in water [MMscf/bbl]
  double m_dMuW;                // water viscosity [cP]
  double m_dSigmaW;             // water surface tension [dyn/cm]
  double m_dVsw;                // superficial water velocity [ft/s]
  double m_dRhoL;               // liquid density [lbm/ft3]
  double m_dMuL;                // liquid viscosity [cP]
  double m_dVsl;                // superficial liquid velocity [ft/s]
  double m_dLambdaL;            // no-slip liquid holdup Vsl/Vm
  double m_dSigma;              // gas-liquid surface tension of the liquid [dyn/cm]
  double m_dLiquidVolume;       // liquid volume held in the segment [bbl]
  double m_dVg;                 // in-situ gas velocity [ft/s]
  double m_dVl;                 // in-situ liquid velocity [ft/s]
  double m_dReM;                // Reynolds number used for friction [-]
  double m_dFm;                 // Fanning friction factor used [-]
  double m_dRhoNS;              // no-slip mixture density [lbm/ft3]
  double m_dMuNS;               // mixture viscosity [cP]
  double m_dRhoS;               // in-situ (slip) mixture density [lbm/ft3]
  double m_dVm;                 // mixture velocity Vsg + Vsl [ft/s]
  double m_dStatus = kNotSet;   // mechanistic status: 0 ok, 1 out of range, 2 froth failed
  double m_dQg;                 // gas rate at standard conditions [scf/d]
  double m_dQo;                 // oil rate [STB/d]
  double m_dQw;                 // water rate [bbl/d]
  double m_dQlInSitu;           // in-situ liquid volume rate [res bbl/d or ft3/s]
  double m_dGLMassRatio;        // gas mass / liquid mass
  double m_dXg;                 // gas mass fraction
  double m_dXo;                 // oil mass fraction
  double m_dXw;                 // water mass fraction
};

// The names of the values CopyData writes, in its order: snake case with the
// unit, as the Python record and the traverse outputs spell them.
const char* const* CopyDataNames();

}  // namespace pdrop
