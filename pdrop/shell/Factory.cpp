// The factory: the one place that names every concrete engine class.
#include "pdrop/correlations/Fanning.h"

namespace pdrop {

CPressDrop* CPressDrop::New(int code) {
  CPressDrop* engine = nullptr;
  switch (code) {
    // Codes whose classes are not yet part of the library are solved with
    // the Fanning engine, like any code outside the catalogue.
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
