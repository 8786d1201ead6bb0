// The factory: the one place that names every concrete engine class.
#include "pdrop/correlations/BeggsBrill.h"
#include "pdrop/correlations/Fanning.h"
#include "pdrop/correlations/Gray.h"
#include "pdrop/correlations/HagedornBrown.h"
#include "pdrop/correlations/PanEastern.h"
#include "pdrop/correlations/Panhandle.h"
#include "pdrop/correlations/Weymouth.h"
#include "pdrop/mechanistic/MechModel.h"

namespace pdrop {

CPressDrop* CPressDrop::New(int code) {
  CPressDrop* engine = nullptr;
  switch (code) {
    // Codes 1 and 7, and 2 and 8, build the same class: they differ only in
    // their names, help texts and proposed efficiencies.
    case 1:
    case 7:
      engine = new CPanhandle();
      break;
    case 2:
    case 8:
      engine = new CPanEastern();
      break;
    case 3:
      engine = new CBeggsBrill();
      break;
    case 4:
      engine = new CGray();
      break;
    case 5:
      engine = new CHagedornBrown();
      break;
    case 6:
      engine = new CWeymouth();
      break;
    case 9:
      engine = new CMechModel();
      break;
    // Any code outside the catalogue is solved with the Fanning engine.
    default:
      engine = new CFanning();
      break;
  }
  engine->m_nCode = code;
  return engine;
}

CPressDrop* CPressDrop::New(double innerOD, double pipeID, double dx, double dz, int code) {
  CPressDrop* engine = New(code);
  engine->Init(innerOD, pipeID, dx, dz);
  return engine;
}

}  // namespace pdrop
