// Critical unloading velocity and rate of a gas well: the least gas velocity
// that carries liquid drops upward (Turner, Hubbard & Dukler, JPT 1969, 1475;
// Coleman, Clay, McCurdy & Norris, JPT 1991, 329).
//
// Units: p [psia], T [degR], z [-], velocities [ft/s], area [ft2],
// diameter [in], rates [MMscf/d], densities [lbm/ft3]. A missing input, or
// a gas as dense as the liquid, gives kNotSet.
#pragma once

#include "pdrop/fluid/Prop.h"

namespace pdrop {

class CLiquidLift {
 public:
  CLiquidLift() = default;
  CLiquidLift(const CLiquidLift&) = default;  // shallow: the gas is not owned
  CLiquidLift& operator=(const CLiquidLift&) = default;
  virtual ~CLiquidLift() = default;

  void SetProps(CProp* gas) { m_pGas = gas; }  // not owned

  // Critical velocity for water / condensate drops [ft/s]; z may be kNotSet,
  // then the gas object gives it.
  virtual double Wtr(double p, double T, double z) = 0;
  virtual double Cnd(double p, double T, double z) = 0;

  // Critical gas rate through a flow area A [ft2] [MMscf/d].
  double WtrA(double A, double p, double T);
  double CndA(double A, double p, double T);
  // Critical gas rate through a pipe of inside diameter D [in] [MMscf/d].
  double WtrD(double D, double p, double T);
  double CndD(double D, double p, double T);

  CProp* m_pGas = nullptr;

 protected:
  // vc = K (rhoL - rhoG)^0.25 / sqrt(rhoG) for the drop model of a subclass.
  double Velocity(double K, double rhoL, double p, double T, double z);

 private:
  using VelocityFn = double (CLiquidLift::*)(double, double, double);
  double Rate(VelocityFn fn, double A, double p, double T);
};

}  // namespace pdrop
