// The correlation catalogue: list names and codes by kind of stream, help
// texts, default pipeline efficiencies and the names of the flow-regime codes.
#include <array>

#include "pdrop/core/PressDrop.h"
#include "pdrop/shell/Catalogue.h"

namespace pdrop {

std::atomic<int> CPressDrop::m_bMechModel{0};

namespace {

struct Entry {
  const char* name;
  std::uint16_t code;
};

constexpr Entry kMechanistic{"Petalas & Aziz", 9};

constexpr std::array<Entry, 9> kAll{{{"Modified Beggs & Brill", 3},
                                     {"Fanning Gas", 0},
                                     {"Flanigan", 7},
                                     {"Gray", 4},
                                     {"Hagedorn & Brown", 5},
                                     {"Modified Flanigan", 8},
                                     {"Modified Panhandle", 2},
                                     {"Panhandle", 1},
                                     {"Weymouth", 6}}};

constexpr std::array<Entry, 7> kGas{{{"Modified Beggs & Brill", 3},
                                     {"Fanning Gas", 0},
                                     {"Gray", 4},
                                     {"Hagedorn & Brown", 5},
                                     {"Modified Panhandle", 2},
                                     {"Panhandle", 1},
                                     {"Weymouth", 6}}};

constexpr std::array<Entry, 4> kLiquid{
    {{"Modified Beggs & Brill", 3}, {"Fanning Liquid", 0}, {"Gray", 4}, {"Hagedorn & Brown", 5}}};

constexpr std::array<Entry, 3> kMultiphase1{
    {{"Modified Beggs & Brill", 3}, {"Gray", 4}, {"Hagedorn & Brown", 5}}};

constexpr std::array<Entry, 6> kMultiphase2{{{"Modified Beggs & Brill", 3},
                                             {"Gray", 4},
                                             {"Hagedorn & Brown", 5},
                                             {"Flanigan", 7},
                                             {"Modified Flanigan", 8},
                                             {"Weymouth Multiphase", 6}}};

constexpr std::array<Entry, 15> kFlowCodes{{{"StaticGrad", 0},
                                            {"SinglePhase", 1},
                                            {"Segregated", 2},
                                            {"Intermittent", 3},
                                            {"Distributed", 4},
                                            {"Transitional", 5},
                                            {"Undefined", 666},
                                            {"Bubble", 6},
                                            {"Dispersed Bubble", 7},
                                            {"Stratified Smooth", 8},
                                            {"Stratified Wavy", 9},
                                            {"AnnularMist", 10},
                                            {"Slug", 11},
                                            {"Elongated Bubble", 12},
                                            {"Froth", 13}}};

constexpr std::array<const char*, 10> kCorrelationNames{"Fanning",
                                                        "Panhandle",
                                                        "Modified Panhandle",
                                                        "Modified Beggs & Brill",
                                                        "Gray",
                                                        "Hagedorn & Brown",
                                                        "Weymouth",
                                                        "Flanigan",
                                                        "Modified Flanigan",
                                                        "Petalas & Aziz"};

constexpr std::array<const char*, 14> kRegimeNames{"Static Gradient",
                                                   "Single Phase",
                                                   "Segregated",
                                                   "Intermittent",
                                                   "Distributed",
                                                   "Transitional",
                                                   "Bubble",
                                                   "Dispersed Bubble",
                                                   "Stratified (Smooth)",
                                                   "Stratified (Wavy)",
                                                   "Annular Mist",
                                                   "Slug",
                                                   "Elongated Bubble",
                                                   "Froth"};

// Sizes both lists to the fixed entries, fills them by index and appends the
// mechanistic model when the host has admitted it.
template <std::size_t N>
void Fill(const std::array<Entry, N>& entries, bool withMechanistic,
          std::vector<std::string>& names, std::vector<std::uint16_t>& codes) {
  names.assign(N, std::string());
  codes.assign(N, 0);
  for (std::size_t i = 0; i < N; ++i) {
    names[i] = entries[i].name;
    codes[i] = entries[i].code;
  }
  if (withMechanistic) {
    names.emplace_back(kMechanistic.name);
    codes.push_back(kMechanistic.code);
  }
}

}  // namespace

void CPressDrop::EnumerateAll(std::vector<std::string>& names, std::vector<std::uint16_t>& codes) {
  Fill(kAll, m_bMechModel != 0, names, codes);
}

void CPressDrop::EnumerateGas(std::vector<std::string>& names, std::vector<std::uint16_t>& codes) {
  Fill(kGas, false, names, codes);
}

void CPressDrop::EnumerateLiquid(std::vector<std::string>& names,
                                 std::vector<std::uint16_t>& codes) {
  Fill(kLiquid, false, names, codes);
}

void CPressDrop::EnumerateMultiphase1(std::vector<std::string>& names,
                                      std::vector<std::uint16_t>& codes) {
  Fill(kMultiphase1, m_bMechModel != 0, names, codes);
}

void CPressDrop::EnumerateMultiphase2(std::vector<std::string>& names,
                                      std::vector<std::uint16_t>& codes) {
  Fill(kMultiphase2, m_bMechModel != 0, names, codes);
}

void CPressDrop::EnumerateFlowCodes(std::vector<std::string>& names,
                                    std::vector<std::uint16_t>& codes) {
  Fill(kFlowCodes, false, names, codes);
}

std::string CPressDrop::GetCodeName(int code) {
  if (code >= 0 && code < static_cast<int>(kRegimeNames.size())) return kRegimeNames[code];
  return "Undefined";
}

std::string CPressDrop::GetBblHelp(int variant, int code) {
  switch (code) {
    case 0:
      return variant == 0 ? "Multistep Cullender & Smith" : "Equivalent to Moody";
    case 1:
    case 2:
      return "Predominantly Horizontal Gas Pipes";
    case 3:
      return "Generally Applicable";
    case 4:
      return "Predominantly Gas";
    case 5:
      return "Predominantly Oil";
    case 6:
      return variant == 0 ? "Predominantly Horizontal Gas Pipes"
                          : "Weymouth Multiphase - Horizontal Pipes";
    case 7:
      return "Panhandle Multiphase - Horizontal Pipes";
    case 8:
      return "Modified Panhandle Multiphase - Horizontal Pipes";
    case 9:
      return "Mechanistic Model";
    default:
      return std::string();
  }
}

double CPressDrop::GetDefaultFlowEff(int code) {
  // The gas-pipeline classes propose their own efficiencies: gas defaults for
  // codes 1, 2 and 6, multiphase (Flanigan) defaults for codes 7 and 8.
  switch (code) {
    case 1:
      return 0.85;
    case 2:
      return 0.80;
    case 6:
      return 1.15;
    case 7:
    case 8:
      return 0.82;
    default:
      return 1.0;
  }
}

std::string CorrelationName(int code) {
  if (code >= 0 && code < static_cast<int>(kCorrelationNames.size()))
    return kCorrelationNames[code];
  return std::string();
}

std::string CorrelationTitle(int code) {
  return CorrelationName(code) + " (code " + std::to_string(code) + ")";
}

}  // namespace pdrop
