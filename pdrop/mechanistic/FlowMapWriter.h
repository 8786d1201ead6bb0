// Writes the text dumps of the mechanistic model's flow-pattern map: a host
// (or the pdrop command) sets up the segment as for Cal, runs Cal once, and
// asks for the per-pattern files or the boundary file in a directory of its
// choice.
//
//   pdrop::FlowMapWriter w;
//   w.Init(0.0, 4.0, 100.0, 0.0);
//   w.SetProps(gas, oil, water);
//   w.Cal(1000.0, 600.0, 0.0, 1.0, 500.0, 0.0);
//   w.WritePatternFiles("out");      // FlowPattern_6_Bubble.txt ... FlowPattern_13_Froth.txt
//   w.WriteBoundaryFile("out");      // FlowPatternMapBoundaries.txt
//
// The dumps use a fixed test fluid (8.139 and 52.53 lbm/ft3, 0.018 and
// 2.757 cP, 20 dyn/cm) with the segment's pipe, roughness and inclination.
#pragma once

#include <string>

#include "pdrop/mechanistic/MechModel.h"

namespace pdrop {

class FlowMapWriter : public CMechModel {
 public:
  // False when a file cannot be created in the directory.
  bool WritePatternFiles(const std::string& directory) {
    dumpDirectory_ = directory;
    return CreateFlowPatternMap(false);
  }
  bool WriteBoundaryFile(const std::string& directory) {
    dumpDirectory_ = directory;
    return CreateFlowPatternMap(true);
  }
  // Tabulates the annular film residual from x0 to x1 in steps of dx.
  void WriteFilmResidual(const std::string& directory, double x0, double x1, double dx) {
    dumpDirectory_ = directory;
    WriteFunctionToFile(&FlowMapWriter::dl_d, x0, x1, dx);
  }
};

}  // namespace pdrop
