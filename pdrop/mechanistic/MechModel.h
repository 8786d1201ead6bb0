// Petalas & Aziz mechanistic model: gas-liquid flow pattern, liquid holdup
// and pressure change of one pipe segment from the superficial velocities,
// the fluid properties, the pipe diameter, roughness and inclination.
// Petalas, N., Aziz, K., "A Mechanistic Model for Multiphase Flow in Pipes",
// J. Can. Pet. Tech. 39(6), 2000.
//
// The decision tests, in order: dispersed bubble, stratified (level and
// downward pipes only), annular mist, bubble, intermittent (slug or elongated
// bubble); what remains is froth, whose gradients are interpolated between
// the neighbouring patterns. Oilfield units: psi, ft (diameters in inches
// where named so), ft/s, lbm/ft3, cP, dyn/cm, angles in radians.
//
// Where this implementation departs from the published form is said in the
// source file of each part: Decision.cpp, Closures.cpp, Solvers.cpp and
// Diagnostics.cpp.
#pragma once

#include <string>

#include "pdrop/core/PressDrop.h"

namespace pdrop {

class CMechModel : public CPressDrop {
  PDROP_DECLARE_DYNAMIC(CMechModel)

 public:
  // A residual of the level and film searches: a member function of the
  // model, evaluated on the model itself, which leaves its intermediate
  // quantities in the fields below.
  using Residual = double (CMechModel::*)(double);

  // Flow-pattern codes written into m_dFlowRegime.
  static constexpr int kBubble = 6;
  static constexpr int kDispersedBubble = 7;
  static constexpr int kStratifiedSmooth = 8;
  static constexpr int kStratifiedWavy = 9;
  static constexpr int kAnnularMist = 10;
  static constexpr int kSlug = 11;
  static constexpr int kElongatedBubble = 12;
  static constexpr int kFroth = 13;
  static constexpr int kUndetermined = 666;

  // m_dStatus values.
  static constexpr double kStatusOutOfRange = 1.0;  // an input lies outside the model's range
  static constexpr double kStatusNoFroth = 2.0;     // the froth interpolation found no boundary

  CMechModel();
  ~CMechModel() override;

  void SetExcelDiag(CDiagSheet* sheet) override;
  // Inclination, range check and the pattern with its pressure changes.
  void MultiPhase() override;

  // ---- flow-pattern map ----
  bool HasFlowMap() override { return true; }
  // Fills 15 entries, indexed by pattern code, with the points of a 50 x 50
  // grid of superficial velocities (Vsl 0.01-100, Vsg 0.01-500 ft/s, even in
  // log10) at the segment's fluid properties, pipe and inclination; each
  // point with its holdup and elevation gradient [psi/ft]. The segment's
  // record is put back afterwards. A fluid without liquid or without gas
  // gives the 15 entries with no points. False, with an empty map, only when
  // no phase of the fluid was evaluated (no Cal yet).
  bool GetFlowMap(std::vector<CFlowRegime>& map) override;

  // The flow-pattern decision: writes m_dHoldup and the intermediate fields
  // and returns the pattern code (666 when none can be determined).
  int GetFlowRegime();
  int LiquidHoldup();

  // ---- spreadsheet trace (written only while a sheet is attached) ----
  // Row -1 is the current row m_nDiagRow.
  void SetDiagCell(const CellValue& value, int col, int row);
  void SetDiagCellColor(unsigned long color, int col, int row);
  // The input block of a decision: a coloured label row and a value row.
  void PrintDiagHdr();
  // Tabulates the film residual from m_dDiagStart (or m_dDiagStep) in steps
  // of m_dDiagStep; returns the first film ratio not evaluated.
  double Calculate_dl_dDiag();
  // The spreadsheet address of a cell: "I12" for column 9, row 12.
  static std::string CellAddress(int col, int row);

  // ---- model fields; each evaluation overwrites those it computes ----
  double m_dDiagStep = 0.0001;      // step of the film-ratio scan
  int m_nDiagPoints = -1;           // points of the scan; below 1: up to its end
  double m_dTheta = kNotSet;        // inclination in the flow direction, up positive [rad]
  int m_bDiagStratified = 0;        // trace every stratified residual
  int m_bDiagFilm = 0;              // trace every annular-film residual
  double m_dDiagStart = kNotSet;    // first film ratio of the scan
  double m_dHydDiamGas = kNotSet;   // gas hydraulic diameter over D, stratified
  double m_dGasVelRatio = kNotSet;  // pi / (4 A_G/D^2)
  double m_dAreaGas = kNotSet;      // gas area over D^2
  double m_dAreaLiq = kNotSet;      // liquid area over D^2
  double m_dFilmRatio = kNotSet;    // film thickness over D of the last film evaluation
  double m_dFfLiqWall = kNotSet;    // 0.452 fSL^0.731, fSL from ff2
  double m_dFroudeL = kNotSet;      // liquid Froude number, stratified
  double m_dFfInt = kNotSet;        // interfacial friction factor (ff2 form)
  double m_dFsl2 = kNotSet;         // superficial liquid friction factor, ff2
  double m_dFsg2 = kNotSet;         // superficial gas friction factor, ff2
  double m_dFfFilm = kNotSet;       // film friction factor, ff2
  double m_dFfLiqWall1 = kNotSet;   // 0.452 fSL^0.731, fSL from ff
  double m_dFfInt1 = kNotSet;       // interfacial friction factor (ff form)
  double m_dFsl = kNotSet;          // superficial liquid friction factor, ff
  double m_dFroudeL1 = kNotSet;     // copy of the liquid Froude number
  double m_dFfFilm1 = kNotSet;      // film friction factor, ff
  double m_dPerimInt = kNotSet;     // interface width over D, stratified
  double m_dPerimLiq = kNotSet;     // liquid wetted perimeter over D, stratified
  double m_dVFilm = kNotSet;        // annular film velocity [ft/s]
  double m_dVCore = kNotSet;        // annular core velocity [ft/s]
  double m_dPerimWall = kNotSet;    // annular wall perimeter [ft]
  double m_dFEnt = kNotSet;         // entrained liquid fraction
  double m_dPerimCore = kNotSet;    // annular interface perimeter [ft]
  double m_dAreaFilm = kNotSet;     // annular film area [ft2]
  double m_dResl = kNotSet;         // superficial liquid Reynolds number
  double m_dResg = kNotSet;         // superficial gas Reynolds number
  double m_dX2 = kNotSet;           // Lockhart-Martinelli parameter squared
  double m_dY = kNotSet;            // inclination parameter (stratified, then annular)
  double m_dLambdaCore = kNotSet;   // no-slip liquid fraction of the gas core
  double m_dMuCore = kNotSet;       // core viscosity [cP]
  double m_dRhoCore = kNotSet;      // core density [lbm/ft3]
  double m_dDriftFactor = kNotSet;  // viscosity factor of the elongated-bubble drift, <= 1

 protected:
  // Clears m_dStatus once per Cal, so that an out-of-range input met by any
  // piece or iteration of the segment marks the whole segment.
  void BeginSegment() override;

  // Decides the pattern and fills the pressure changes; bFroth false leaves
  // froth without them.
  int Mphase(bool bFroth);

  // Text dumps of the map for a fixed test fluid: one file per pattern
  // (bBoundaries false) or the file of the points where the pattern changes
  // (true), in dumpDirectory_ (the current directory when empty). The
  // segment's velocities and fluid properties are put back on every exit;
  // false when a file cannot be created.
  bool CreateFlowPatternMap(bool bBoundaries);
  // Tabulates a residual from x0 to x1 in steps of dx into
  // "dl_d_<Vsg>_<Vsl>_.txt".
  void WriteFunctionToFile(Residual f, double x0, double x1, double dx);
  std::string dumpDirectory_;

  // ---- closures ----
  double hl_d(double h);
  double dl_d(double d);
  double RootMin_dl_d(double d);
  double FEnt();
  void StratifiedP();
  void AnnularMistP();
  double IntSlugPf();
  double IntAmPf();
  void FrothP();

  // ---- solvers; the residuals are evaluated on this object ----
  double zBrent(Residual f, double x1, double x2, double tol);
  double brent(double ax, double bx, double cx, Residual f, double tol, double* xmin);
  double Modified_brent(double ax, double bx, double cx, Residual f, double tol, double* xmin,
                        int flag);
  void brak(Residual f, double* a, double* b);
  double Calculate_hl_d();
  double Calculate_dl_d();
  double Min_dl_d();

 private:
  // m_dTheta from the geometry and the two sign factors.
  void SetInclination();
  // Evaluates a residual and remembers its argument, so that a search can
  // tell whether the fields describe the root it returns.
  double Evaluate(Residual f, double x);
  // The level and film searches share one procedure.
  // With describeRoot the fields are left as the residual at the root
  // returned leaves them, else as its last evaluation left them.
  double SearchRoot(Residual f, double hi, double windowLow, double windowHigh, double lastHi,
                    bool describeRoot = true);
  // Calculate_dl_d, with the choice of describeRoot.
  double FilmSearch(bool describeRoot);
  // Brent's minimisation; stopSign +1 also stops at a negative best value,
  // -1 at a positive one, 0 never.
  double Minimise(double ax, double bx, double cx, Residual f, double tol, double* xmin,
                  int stopSign);
  // The decision; with frothOnly it may stop as soon as the point is known
  // not to be froth, returning kUndetermined then. It tests the transitions
  // of Petalas & Aziz in their order, each in a function of its own that
  // returns its pattern or kNoPattern.
  int Decide(bool frothOnly);
  static constexpr int kNoPattern = -1;
  struct DriftFlux {
    double els = 0.0, eli = 0.0, el = 0.0;   // slug-body, intermittent and bubble holdups
    double drho = 0.0, bond = 0.0;           // density difference, Bond number
    double riseScale = 0.0;                  // (drho sigma / rhoL^2)^(1/4)
    double driftFactor = 0.0;                // of the elongated-bubble drift
    double sinT = 0.0, cosT = 0.0, d = 0.0;  // inclination; diameter [ft]
  };
  DriftFlux DriftFluxSetUp() const;
  void SeparatedFlowSetUp(const DriftFlux& f);
  int StratifiedTransition(const DriftFlux& f);
  int AnnularMistTransition(const DriftFlux& f, bool frothOnly);
  int BubbleOrIntermittentTransition(const DriftFlux& f);
  // Whether the pattern at the current velocities is froth: the decision,
  // cut short where the answer is already known. It moves the trace cursor
  // as the full decision does.
  bool IsFroth();
  // One side of the froth interpolation; false when no boundary is found.
  bool FrothBoundary(double v0, bool upper, double* boundary);
  // The number of fine steps of delta from v to the first velocity that is
  // froth, as a walk deciding the pattern at every step would count them,
  // with froth a velocity at or beyond which the pattern is known to be
  // froth; 0 when that takes more than budget steps. Leaves m_dVsg at the
  // last velocity decided.
  int FirstFrothStep(double v, double delta, double froth, int budget);

  // Terms of the film residual that do not change with the film thickness,
  // formed for the state in `state` and formed again when it changes: the
  // film Reynolds number is the same at every thickness, and the core's
  // Reynolds number, roughness ratio and Weber group are these terms times
  // powers of 1 - 2 delta/D.
  static constexpr int kFilmStateSize = 13;
  struct FilmTerms {
    // e, D, Vsl, Vsg, FE, rhoL, muL, rhoG, sigma, rhoCore, muCore, fSL, fSG
    double state[kFilmStateSize] = {};
    double filmRe = 0.0;          // film Reynolds number
    double inverseFilmRe = 0.0;   // 1/filmRe
    double interfaceScale = 0.0;  // rhoCore / (fSG rhoG)
    double inverseFsl = 0.0;      // 1/fSL
    double inverseVsl = 0.0;      // 1/Vsl
    double inverseVsg = 0.0;      // 1/Vsg
    double inverseCoreRe = 0.0;   // 1/coreRe
    double filmRePow = 0.0;       // filmRe^-0.8981 (filmRe^-0.32 in a smooth pipe)
    double shearPow = 0.0;        // filmRe^0.305, of the interfacial factor
    double roughness = 0.0;       // e/D
    double roughPow = 0.0;        // (e/D)^1.1098
    double coreRe = 0.0;          // core Reynolds number times 1 - 2 delta/D
    double coreRePow = 0.0;       // coreRe^-0.8981 (coreRe^-0.32 in a smooth pipe)
    double weberPow = 0.0;        // (sigma/(rhoCore Vc^2 Dc))^0.085 over (1 - 2 delta/D)^0.255
    bool formed = false;
  };
  const FilmTerms& FilmTermsNow();
  // The film's ff and ff2 factors at the film fraction hlf = 4 (delta/D)
  // (1 - delta/D), given also 1/hlf.
  void FilmFactors(const FilmTerms& t, double hlf, double inverseHlf, double* f, double* f2) const;

  void AdvanceDiagRow(int rows);
  void SetDiagText(const char* text, int col);
  void ColourDiagRow();
  void TraceStratified(double h, double residual, double tl, double tg, double reG, double fi);
  void TraceFilm(double d, double residual, double tf, double ti);

  double m_dLastArg = kNotSet;  // argument of the last residual evaluation
  FilmTerms filmTerms_;
};

}  // namespace pdrop
