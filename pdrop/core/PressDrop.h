// The engine: the segment record plus the segment geometry, the calculation
// options, the links to the fluid objects and the virtual interface through
// which the segment driver reaches a correlation.
//
// A host creates an engine by correlation code (New), describes the segment
// with Init, sets options (after Init, which resets the flow and direction
// signs and the sub-division switch), binds the fluid with SetProps and calls
// Cal once per segment. Results stay in the record.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "pdrop/core/FlowRegime.h"
#include "pdrop/core/PressData.h"
#include "pdrop/fluid/Prop.h"
#include "pdrop/loading/Turner.h"
#include "pdrop/platform/DiagSheet.h"

namespace pdrop {

class CPressDrop : public CPressData {
  PDROP_DECLARE_DYNAMIC(CPressDrop)

 public:
  CPressDrop();
  ~CPressDrop() override;
  // An engine is not copied as a whole; CopySeg makes a working copy, and the
  // record alone is copied with CPressData::operator=.
  CPressDrop(const CPressDrop&) = delete;
  CPressDrop& operator=(const CPressDrop&) = delete;

  // ---- catalogue and factory (defined with the correlation classes) ----
  // Creates the engine class of a correlation code; the caller owns it.
  static CPressDrop* New(int code);
  // New(code) followed by Init(innerOD [in], pipeID [in], dx [ft], dz [ft]).
  static CPressDrop* New(double innerOD, double pipeID, double dx, double dz, int code);
  static std::string GetCodeName(int flowRegimeCode);
  static std::string GetBblHelp(int variant, int code);
  static void EnumerateAll(std::vector<std::string>& names, std::vector<std::uint16_t>& codes);
  static void EnumerateGas(std::vector<std::string>& names, std::vector<std::uint16_t>& codes);
  static void EnumerateLiquid(std::vector<std::string>& names, std::vector<std::uint16_t>& codes);
  static void EnumerateMultiphase1(std::vector<std::string>& names,
                                   std::vector<std::uint16_t>& codes);
  static void EnumerateMultiphase2(std::vector<std::string>& names,
                                   std::vector<std::uint16_t>& codes);
  static void EnumerateFlowCodes(std::vector<std::string>& names,
                                 std::vector<std::uint16_t>& codes);
  static double GetDefaultFlowEff(int code);
  static double GetDefaultFE(bool multiphase);

  // ---- settings ----
  // Prepares the engine for a segment: inner-string outside diameter [in]
  // (0 for a plain pipe), pipe inside diameter [in], horizontal run [ft],
  // elevation change [ft]. kNotSet arguments are read as 0.
  void Init(double innerOD, double pipeID, double dx, double dz);
  void SetFlw(int flw) { m_dFlw = static_cast<double>(flw); }
  void SetDir(int dir) { m_dDir = static_cast<double>(dir); }
  void SetSubdiv(int subdiv) { m_nSubdiv = subdiv; }
  void SetFe(double fe) { m_dFe = fe; }
  void SetHFe(double hfe) { m_dHFe = hfe; }
  void SetFf(double roughness) { m_dFf = roughness; }
  void SetFlowOver(int flowOver) { m_nFlowOver = flowOver; }
  void SetGradientType(int type) { m_nGradientType = type; }
  int GetGradientType() const { return m_nGradientType; }
  // The flow-regime code of the last calculation (666 before any).
  int GetCode() const;
  // Scales the horizontal run, elevation change and length.
  void Scale(double k);

  // ---- fluid binding (black-oil mode: three phase objects; or an
  // equation-of-state fluid). Objects are not owned. ----
  void SetProps(CProp* gas, CProp* oil, CProp* water);
  void SetProps(CEOSBase* fluid);

  // ---- the segment driver ----
  // Solves the segment: known-end pressure [psia] and temperature [degR],
  // temperature change per foot of pipe [degR/ft], gas [MMscf/d], oil
  // [STB/d] and water [bbl/d] rates (kNotSet = 0; a negative rate is flow the
  // other way). Returns the outlet pressure [psia], or kNotSet when there is
  // no result or it is below 5 psia.
  double Cal(double p1, double t1, double dTdL, double qg, double qo, double qw);
  // Solves one piece by iterating on the mean pressure.
  void Cal();
  void FixOutletPressure();
  // A new engine of src's code, geometry, settings and fluid binding; the
  // caller owns it.
  CPressDrop* CopySeg(CPressDrop* src);
  void SavePbp();
  void Pbp();
  void RestorePbp();

  // ---- hydraulic helpers ----
  double REg(double qg);
  double REl(double v, double d);
  double REm(double v, double density, double viscosity, double d);
  double ff(double e, double D, double Re);
  double ff2(double e, double D, double Re);
  // ff and ff2 of the same arguments at the cost of one.
  void FrictionFactors(double e, double D, double Re, double* f, double* f2);
  double Vg(double p, double t, double qg);
  void HoldupAndVelocity();
  void MixProp();

  // ---- phase property evaluation at m_dP, m_dT ----
  void GasProp();
  void OilProp();
  void WtrProp();
  void LiquidProp();
  void NoGas();
  void NoOil();
  void NoWtr();
  void NoLiq();

  // Static gradient of the phase chosen by m_nGradientType.
  void StaticGradient();

  // ---- virtual interface ----
  virtual void SetExcelDiag(CDiagSheet* sheet);
  virtual void SetDiag(bool diag);
  virtual void StaticGas();
  virtual void StaticOil();
  virtual void StaticWater();
  virtual void StaticLiquid();
  virtual void GasFlow();
  virtual void LiquidFlow();
  virtual void MultiPhase();
  virtual bool bIsSinglePhase();
  virtual bool HasFlowMap();
  virtual bool GetFlowMap(std::vector<CFlowRegime>& map);
  virtual bool bIsWellbore();
  virtual bool bIsMultiphase();
  virtual void SetUp();
  virtual double GetFE();
  virtual void SetFE(double fe);
  virtual double Stl();

  // ---- fields ----
  double m_dSavedPbp = kNotSet;   // bubble point saved by SavePbp [psia]
  bool m_bInPhaseSwitch = false;  // guard of the phase switch
  int m_nGradientType = 0;        // static gradient phase: 1 oil, 2 water, else gas
  int m_nCode = 3;                // correlation code
  int m_nMaxIter = 150;           // iteration limit of the mean-pressure loop
  int m_nIter = 0;                // iteration counter
  double m_dTempGradient = 0.0;   // temperature change per foot [degR/ft]
  double m_dDir = 1.0;            // direction sign of elevation and temperature
  double m_dFlw = 1.0;            // flow sign: +1 pressure rises toward the computed end
  bool m_bGas = false;
  bool m_bOil = false;
  bool m_bWater = false;
  bool m_bLiquid = false;
  int m_nUseLiquid = 1;           // 0: oil and water rates are forced to 0
  int m_nSubdiv = 1;              // automatic sub-division on/off
  bool m_bSubSegment = false;     // a sub-segment is being solved
  double m_dNumSubdiv = kNotSet;  // fixed piece count; kNotSet = automatic
  double m_dMaxSubdiv = 20.0;     // largest automatic piece count
  double m_dFe = 1.0;             // friction efficiency
  double m_dHFe = 1.0;            // hydrostatic efficiency
  double m_dFf = 0.0006;          // absolute roughness [in]
  double m_dArea = 0.0;           // flow area [ft2]
  double m_dInnerOD = 0.0;        // inner-string outside diameter [in]
  double m_dPipeID = 0.0;         // pipe inside diameter [in]
  double m_dDiameter = 0.0;       // hydraulic diameter [in]
  double m_dDx = 0.0;             // horizontal run [ft]
  double m_dDz = 0.0;             // elevation change [ft]
  int m_nLegacyOption = 0;
  int m_nFlowOver = 0;  // flow-over: dispersed bubble in the mechanistic model
  CProp* m_pGas = nullptr;
  CProp* m_pOil = nullptr;
  CProp* m_pWtr = nullptr;
  bool m_bEOS = false;  // equation-of-state mode
  bool m_bIsenthalpic = false;
  CEOSBase* m_pEOS = nullptr;
  int m_nSubdivUsed = 0;                   // pieces used by the current Cal
  bool m_bDiag = false;                    // log a record per solved piece
  bool m_bWaterInGas = true;               // the water rate includes the water the gas carries
  std::vector<CPressData> m_aSubSegments;  // log of solved pieces
  double m_dHalfStepT = kNotSet;           // temperature change over half a piece [degR]
  double m_dQgFree = kNotSet;              // free gas rate [scf/d]
  double m_dQwFree = kNotSet;              // free water rate [bbl/d]
  double m_dLGR = 0.0;                     // liquid-gas ratio [bbl/MMscf]
  CTurner m_LiquidLift;                    // critical unloading velocity
  CDiagSheet* m_pExcel = nullptr;          // diagnostic sheet, not owned
  int m_nDiagRow = 0;                      // current diagnostic row

  static constexpr double m_dMinAbsPress = 5.0;  // lowest accepted pressure [psia]
  static std::atomic<int> m_bMechModel;          // admits the mechanistic model to the lists

 protected:
  // Called once at the start of a host's Cal, before anything is computed
  // (not again for the copy that solves a rescued piece, which goes on with
  // the same segment): a correlation resets here what describes the whole
  // segment.
  virtual void BeginSegment() {}

 private:
  // How deep a piece that does not converge may be split again into ten.
  static constexpr int kMaxRescueDepth = 2;
  int m_nRescueDepth = 0;

  bool SolveInputsUsable(double p1, double t1, double dTdL, double qg, double qo, double qw) const;
  bool FlowingPhasesBound() const;
  void Dispatch();
  // Cal's work on inputs that passed SolveInputsUsable: the record filled,
  // the outlet pressure returned (kNotSet when there is none). Cal saves and
  // restores the host's bubble point and the flow sign around it.
  double SolveUsableSegment(double p1, double t1, double dTdL, double qg, double qo, double qw);
  void SolveWholeSegment(bool mayDivide);
  void MarchPieces(double t1);
  void RescueSplit();
  void ReadStreamMassFlows();
  void SetMassFractions(double mg, double mo, double mw);
  void LiquidPhaseProp(bool oil);
  void MixLiquid(double oilVolume, double waterVolume, double vsl);
  double ElevationChange(double density) const;
  void StaticColumn(double density, double holdup);
  double FrictionChange(double f, double density, double v) const;
  CSynPar* BubblePointParam() const;
};

}  // namespace pdrop
