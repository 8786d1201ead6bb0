#pragma once

namespace pdrop {

constexpr int kVersionMajor = 0;
constexpr int kVersionMinor = 1;
constexpr int kVersionPatch = 0;
constexpr const char* kVersion = "0.1.0";

}  // namespace pdrop
