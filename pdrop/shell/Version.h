#pragma once

// The version of pdrop, in this one place: CMake reads the three numbers from
// here for project(), the package config and the Python module.
#define PDROP_VERSION_MAJOR 0
#define PDROP_VERSION_MINOR 1
#define PDROP_VERSION_PATCH 0

#define PDROP_VERSION_TEXT_(x) #x
#define PDROP_VERSION_JOIN_(a, b, c) \
  PDROP_VERSION_TEXT_(a) "." PDROP_VERSION_TEXT_(b) "." PDROP_VERSION_TEXT_(c)

namespace pdrop {

constexpr int kVersionMajor = PDROP_VERSION_MAJOR;
constexpr int kVersionMinor = PDROP_VERSION_MINOR;
constexpr int kVersionPatch = PDROP_VERSION_PATCH;
constexpr const char* kVersion =
    PDROP_VERSION_JOIN_(PDROP_VERSION_MAJOR, PDROP_VERSION_MINOR, PDROP_VERSION_PATCH);

}  // namespace pdrop
