#!/usr/bin/env bash
# Mutation check of the test suite: applies small faults to the sources one at
# a time (a constant nudged, a comparison flipped, a sign dropped, an index
# shifted, a unit factor changed), rebuilds the test binaries and the command,
# runs the fast tests (the GoogleTest suites, the stored reference outputs and
# the command's scenarios) and reports each fault as killed (some test failed)
# or survived.
#
#   scripts/mutants.sh [--build DIR] [--only PATTERN] [--list]
#
# --build DIR     build directory (default build-mutants, configured on first use)
# --only PATTERN  run only the mutants whose line matches PATTERN (grep -E)
# --list          print the mutants and whether each applies, build nothing
#
# Every source file is restored after its mutant, also on Ctrl-C; the script
# refuses to start while the library sources have uncommitted changes, so that
# a file left mutated by a run that was killed outright is seen at once (git
# diff shows it; git checkout restores it). The report goes to standard output
# and to DIR/mutants.txt. Runs on demand, not in CI.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

build=build-mutants
only=""
list=0
while [ $# -gt 0 ]; do
  case "$1" in
    --build | --only)
      if [ $# -lt 2 ]; then echo "mutants.sh: $1 needs a value" >&2; exit 2; fi
      if [ "$1" = --build ]; then build=$2; else only=$2; fi
      shift 2 ;;
    --list) list=1; shift ;;
    -h|--help) sed -n 2,15p "$0"; exit 0 ;;
    *) echo "mutants.sh: unknown argument '$1'" >&2; exit 2 ;;
  esac
done

# One mutant per line: file @@ text @@ replacement @@ what it breaks. The text
# must occur exactly once in the file. A text "a ## b" with a replacement
# "c ## d" also names an earlier form of the code: where a is not found, b is
# replaced by d. That lets older commits run the same list.
mutants=$(cat <<'EOF'
pdrop/core/Driver.cpp @@ if (m_dQg < 0.0 || m_dQw < 0.0 || m_dQo < 0.0) { @@ if (m_dQg < 0.0 || m_dQo < 0.0) { @@ a negative water rate alone is not reverse flow
pdrop/core/Driver.cpp @@ kTolerance = 0.01; @@ kTolerance = 10.0; @@ mean-pressure tolerance loosened
pdrop/core/Driver.cpp @@ std::fabs((m_dQo + m_dQw) / qg) @@ std::fabs((m_dQo) / qg) @@ liquid-gas ratio without water
pdrop/core/Driver.cpp @@ if (m_dP2 > 0.0 || !IsSet(m_dP2)) return; @@ if (m_dP2 > -1e9 || !IsSet(m_dP2)) return; @@ outlet pressure not clamped at zero
pdrop/core/PhaseProperties.cpp @@ kDissolvedGasDensity = 0.0136; @@ kDissolvedGasDensity = 0.0163; @@ dissolved-gas density factor
pdrop/core/PhaseProperties.cpp @@ kWaterDensity = 62.3; @@ kWaterDensity = 62.4; @@ water density at standard conditions
pdrop/core/PhaseProperties.cpp @@ kStdPressure * T * m_dZ / (kStdTemperature * p) @@ kStdPressure * T / (kStdTemperature * p) @@ gas formation volume factor without z
pdrop/core/Hydraulics.cpp @@ 0.125 * std::pow(Re, -0.32) @@ 0.125 * std::pow(Re, -0.23) @@ smooth-pipe friction exponent
pdrop/core/Hydraulics.cpp @@ 0.2698 * r - (5.0452 / Re) * @@ 0.2698 * r + (5.0452 / Re) * @@ sign in Chen's equation
pdrop/core/Hydraulics.cpp @@ kGasReynoldsFactor = 0.020011; @@ kGasReynoldsFactor = 0.02011; @@ gas Reynolds-number factor
pdrop/core/SinglePhase.cpp @@ void CPressDrop::StaticOil() { StaticColumn(m_dRhoO, 1.0); } @@ void CPressDrop::StaticOil() { StaticColumn(m_dRhoW, 1.0); } @@ static oil column with the water density
pdrop/core/SinglePhase.cpp @@ return 2.0 * f * density * v * v @@ return 4.0 * f * density * v * v @@ Fanning friction factor doubled
pdrop/correlations/BeggsBrillRules.cpp @@ kIntermittentRow{0.845, 0.5351, 0.0173} @@ kIntermittentRow{0.845, 0.5351, 0.0137} @@ intermittent holdup exponent
pdrop/correlations/BeggsBrillRules.cpp @@ std::log(4.7) ## k = 4.7 * @@ std::log(4.07) ## k = 4.07 * @@ downhill inclination coefficient
pdrop/correlations/BeggsBrillRules.cpp @@ kFlowOverFroude = 1.1; @@ kFlowOverFroude = 1.2; @@ flow-over Froude limit
pdrop/correlations/BeggsBrill.cpp @@ (lambda >= 0.01 && nfr < n.l2) ## (lambda >= 0.01 && nfr < m_dL2) @@ (lambda >= 0.01 && nfr < n.l3) ## (lambda >= 0.01 && nfr < m_dL3) @@ segregated boundary L2 read as L3
pdrop/correlations/BeggsBrill.cpp @@ std::log(2.2 * oy - 1.2) @@ std::log(2.2 * oy + 1.2) @@ sign in the friction-ratio exponent near y = 1
pdrop/correlations/Gray.cpp @@ kWaterTensionWeight = 0.617; @@ kWaterTensionWeight = 0.671; @@ water weight of the surface tension
pdrop/correlations/Gray.cpp @@ kFilmVelocityRatio = 0.007; @@ kFilmVelocityRatio = 0.07; @@ film velocity ratio
pdrop/correlations/Gray.cpp @@ (-812.20334 * e - 3.65397e-6) @@ (-812.20334 * e + 3.65397e-6) @@ sign in the very-rough fit
pdrop/correlations/HagedornBrown.cpp @@ kLeastBubbleLimit = 0.13; @@ kLeastBubbleLimit = 0.31; @@ least Griffith bubble limit
pdrop/correlations/HagedornBrown.cpp @@ 1.07 - 0.2218 * vm * vm / d @@ 1.07 - 0.2281 * vm * vm / d @@ Griffith's bubble-flow limit constant
pdrop/correlations/HagedornBrown.cpp @@ kSlipVelocity = 0.8; @@ kSlipVelocity = 0.9; @@ Griffith slip velocity
pdrop/correlations/Panhandle.cpp @@ 45.92 * std::pow(x, 0.533) @@ 45.92 * std::pow(x, 0.553) @@ Flanigan efficiency exponent
pdrop/correlations/Panhandle.cpp @@ 4.8539, 1.279e-05, 0.85 ## 4.8539, 1.279e-05); @@ 4.8539, 1.297e-05, 0.85 ## 4.8539, 1.297e-05); @@ Panhandle A coefficient
pdrop/correlations/Weymouth.cpp @@ 1.0, 5.334, 5.3213e-06 @@ 1.0, 5.333, 5.3213e-06 @@ Weymouth diameter exponent
pdrop/mechanistic/Decision.cpp @@ m_dFfLiqWall = 0.452 * std::pow(m_dFsl2, 0.731); @@ m_dFfLiqWall = 0.452 * std::pow(m_dFsl2, 0.713); @@ stratified liquid-wall friction exponent
pdrop/mechanistic/Closures.cpp @@ std::pow(m_dFroudeL, 1.335) @@ std::pow(m_dFroudeL, 1.353) @@ interfacial-friction Froude exponent
pdrop/mechanistic/Decision.cpp @@ m_dFroudeL <= 1.4 @@ m_dFroudeL <= 4.1 @@ smooth-stratified Froude limit
pdrop/mechanistic/Decision.cpp @@ kGregoryVelocity = 8.66; @@ kGregoryVelocity = 6.86; @@ Gregory's slug-body velocity
pdrop/mechanistic/Decision.cpp @@ kShelteringCoefficient = 0.06; @@ kShelteringCoefficient = 0.6; @@ Jeffreys' sheltering coefficient
pdrop/mechanistic/Decision.cpp @@ kSmoothLimitAngle = -0.087267; @@ kSmoothLimitAngle = -0.87267; @@ least inclination of smooth stratified flow
pdrop/mechanistic/Closures.cpp @@ kEntrainmentFactor = 929.0304; @@ kEntrainmentFactor = 92.90304; @@ entrainment unit factor
pdrop/mechanistic/Closures.cpp @@ 0.735 * std::pow(group, 0.074) @@ 0.753 * std::pow(group, 0.074) @@ entrainment constant
pdrop/mechanistic/Closures.cpp @@ 0.24 * @@ 0.42 * @@ interfacial friction of the film
pdrop/mechanistic/Solvers.cpp @@ const double xm = 0.5 * (c - b); @@ const double xm = 0.5 * (b - c); @@ Brent step direction
pdrop/fluid/blackoil/BlackOilGas.cpp @@ const double y = 2.4 - 0.2 * x; @@ const double y = 2.4 - 0.02 * x; @@ Lee-Gonzalez-Eakin y
pdrop/fluid/blackoil/BlackOilOil.cpp @@ 0.9759 + 0.000120 * std::pow(f, 1.2) @@ 0.9759 + 0.000210 * std::pow(f, 1.2) @@ Standing's Bo coefficient
pdrop/fluid/blackoil/BlackOilOil.cpp @@ std::pow(rsb / gg, 0.83) @@ std::pow(rsb / gg, 0.38) @@ Standing's bubble-point exponent
pdrop/fluid/blackoil/BlackOilOil.cpp @@ {0.0362, 1.0937, 25.7240} @@ {0.0362, 1.0937, 27.5240} @@ Vasquez & Beggs solution gas, heavy oil
pdrop/fluid/blackoil/BlackOilWater.cpp @@ 62.368 + 0.438603 * s @@ 62.368 + 0.348603 * s @@ brine density against salinity
pdrop/fluid/blackoil/ZFactor.cpp @@ kA7 = -0.7361 @@ kA7 = -0.7631 @@ Dranchuk & Abou-Kassem A7
pdrop/fluid/blackoil/ZFactor.cpp @@ 756.8 - 131.0 * g @@ 756.8 - 113.0 * g @@ Sutton's pseudo-critical pressure
pdrop/fluid/blackoil/StreamFluid.cpp @@ split_.rs = std::min(split_.rs, qg / qo); @@ split_.rs = std::max(split_.rs, qg / qo); @@ dissolved gas not capped by the produced gas
pdrop/loading/Turner.cpp @@ Velocity(5.62, 67.0 @@ Velocity(5.26, 67.0 @@ Turner's water constant
pdrop/loading/Coleman.cpp @@ Velocity(3.369, 45.0 @@ Velocity(3.369, 54.0 @@ Coleman's condensate density
pdrop/loading/LiquidLift.cpp @@ std::pow(rhoL - rhoG, 0.25) @@ std::pow(rhoL - rhoG, 0.5) @@ critical velocity exponent
pdrop/traverse/Traverse.cpp @@ return surface_F + gradient_F_per_ft * s.tvd_ft; @@ return surface_F + gradient_F_per_ft * s.md_ft; @@ geothermal temperature on measured depth
pdrop/traverse/Traverse.cpp @@ (s.md_ft - firstMd_ft) / span @@ (s.tvd_ft - firstMd_ft) / span @@ linear temperature on true vertical depth
pdrop/traverse/Traverse.cpp @@ const Station& pipe = st[std::max(cur, next)]; @@ const Station& pipe = st[cur]; @@ forward march takes the current station's pipe
pdrop/traverse/Traverse.cpp @@ water_bbld > 0.0 || @@ water_bbld > 0.0 && @@ loading liquid of a well with condensate and water
pdrop/traverse/Traverse.cpp @@ kGasWellLiquidRatio = 200.0; @@ kGasWellLiquidRatio = 20.0; @@ liquid-gas ratio of a gas well
pdrop/traverse/Traverse.cpp @@ liquid_bbld / gas_MMscfd <= kGasWellLiquidRatio ## c.gas_MMscfd <= kGasWellLiquidRatio @@ liquid_bbld / gas_MMscfd < 0.5 * kGasWellLiquidRatio ## c.gas_MMscfd < 0.5 * kGasWellLiquidRatio @@ gas well only up to 100 bbl/MMscf
pdrop/traverse/Traverse.cpp @@ liquid_bbld / gas_MMscfd <= kGasWellLiquidRatio ## c.gas_MMscfd <= kGasWellLiquidRatio @@ liquid_bbld / gas_MMscfd < kGasWellLiquidRatio ## c.gas_MMscfd < kGasWellLiquidRatio @@ a well of exactly 200 bbl/MMscf not a gas well
pdrop/traverse/Traverse.cpp @@ return marchTo == c.flow_to ? -1 : +1; @@ return marchTo == c.flow_to ? +1 : -1; @@ flow sign of the march
pdrop/traverse/Traverse.cpp @@ std::max(dmd * dmd - dzSigned * dzSigned, 0.0) @@ std::max(dmd * dmd, 0.0) @@ horizontal length without the vertical part
pdrop/traverse/Limits.cpp @@ const double halfGap = 0.5 * (pipeId_in - innerOd_in); @@ const double halfGap = 1.0 * (pipeId_in - innerOd_in); @@ roughness allowed up to the whole gap
pdrop/traverse/Applicability.cpp @@ {"Gray's correlation", 0.0, 3.5, @@ {"Gray's correlation", 0.0, 4.5, @@ Gray's largest tubing
pdrop/case/CaseFile.cpp @@ NumberOr(j, where, "roughness_in", 0.0006) @@ NumberOr(j, where, "roughness_in", 0.006) @@ default roughness of a station
pdrop/case/CaseFile.cpp @@ : 0.0 - Number(j["elevation_ft"] @@ : 0.0 + Number(j["elevation_ft"] @@ elevation read with the sign of a depth
pdrop/case/VfpAxes.cpp @@ kM3PerStb = 0.158987294928; @@ kM3PerStb = 0.159987294928; @@ m3 per stock-tank barrel
pdrop/case/Survey.cpp @@ if (!(p.md_ft >= top && p.md_ft <= bottom)) { @@ if (!(p.md_ft >= top)) { @@ survey point below the well accepted
pdrop/workflows/Vfp.cpp @@ th + 1, w + 1, g + 1, @@ th + 1, g + 1, w + 1, @@ water and gas ratio indices of a VFPPROD record swapped
pdrop/workflows/Vlp.cpp @@ if (c.oil_STBd > 0.0) r.gor = @@ if (c.oil_STBd < 0.0) r.gor = @@ gas-oil ratio of a lift-curve point
EOF
)

# Prints how often the first form of TEXT found in FILE occurs there (0 when
# the file does not exist).
occurrences() {
  python3 - "$1" "$2" <<'PY'
import os, sys
if not os.path.isfile(sys.argv[1]):
    print(0)
    sys.exit()
text = open(sys.argv[1], encoding="utf-8").read()
counts = [text.count(form) for form in sys.argv[2].split(" ## ")]
print(next((n for n in counts if n > 0), 0))
PY
}

# Replaces the one occurrence of TEXT (its first form found) in FILE with
# REPLACEMENT (the same form of it); fails when nothing was replaced.
apply_mutant() {
  python3 - "$1" "$2" "$3" <<'PY'
import sys
path, old, new = sys.argv[1:]
forms, replacements = old.split(" ## "), new.split(" ## ")
if len(forms) != len(replacements):
    sys.exit("the text and its replacement have different numbers of forms")
text = open(path, encoding="utf-8").read()
for form, replacement in zip(forms, replacements):
    if text.count(form) == 1:
        open(path, "w", encoding="utf-8").write(text.replace(form, replacement, 1))
        sys.exit()
sys.exit("no form of the text occurs exactly once")
PY
}

split_line() {
  python3 - "$1" <<'PY'
import sys
for part in sys.argv[1].split(" @@ "):
    print(part)
PY
}

selected=$(printf '%s\n' "$mutants" | { if [ -n "$only" ]; then grep -E -- "$only" || true; else cat; fi; })
if [ -z "$selected" ]; then
  echo "mutants.sh: no mutant matches '$only'" >&2
  exit 2
fi

if [ "$list" = 1 ]; then
  while IFS= read -r line; do
    mapfile -t f < <(split_line "$line")
    n=$(occurrences "${f[0]}" "${f[1]}")
    printf '%-8s %-40s %s\n' "$([ "$n" = 1 ] && echo applies || echo "n/a($n)")" "${f[0]}" "${f[3]}"
  done <<<"$selected"
  exit 0
fi

if ! git diff --quiet -- pdrop; then
  echo "mutants.sh: the library sources have uncommitted changes (a mutant left by a killed run?):" >&2
  git diff --stat -- pdrop >&2
  exit 1
fi

generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DPDROP_BUILD_BENCH=OFF \
    -DPDROP_BUILD_EXAMPLES=OFF -DPDROP_BUILD_PYTHON=OFF >/dev/null
fi
targets=(pdrop_tests pdrop_workflow_tests pdrop_robustness pdrop_cli)
build_tests() { cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}" >/dev/null 2>&1; }

# A mutant that makes a loop endless is killed by the time limit.
run_tests() {
  timeout 300 "$build/tests/pdrop_tests" --gtest_brief=1 >/dev/null 2>&1 &&
    timeout 300 "$build/tests/pdrop_workflow_tests" --gtest_brief=1 >/dev/null 2>&1 &&
    timeout 300 "$build/tests/pdrop_robustness" --gtest_filter='ReferenceOutputs.*' >/dev/null 2>&1 &&
    ctest --test-dir "$build" -R '^cli\.' --stop-on-failure --timeout 300 >/dev/null 2>&1
}

echo "Building the unmutated tests in $build ..."
build_tests || { echo "mutants.sh: the unmutated build fails" >&2; exit 1; }
run_tests || { echo "mutants.sh: the unmutated tests fail; fix them first" >&2; exit 1; }

# The unmutated file is copied aside, and only a complete copy is ever put
# back: backup names it once the copy has succeeded.
backup=""
restore() {
  if [ -n "$backup" ]; then
    if ! cp "$backup" "$current"; then
      echo "mutants.sh: could not restore $current; its original is $backup" >&2
      return
    fi
    rm -f "$backup"
    backup=""
  fi
}
trap 'restore' EXIT
trap 'restore; exit 130' INT
trap 'restore; exit 143' TERM

report="$build/mutants.txt"
: >"$report"
killed=0 survived=0 skipped=0 total=0
start=$(date +%s)
while IFS= read -r line; do
  mapfile -t f < <(split_line "$line")
  current="$root/${f[0]}"
  total=$((total + 1))
  n=$(occurrences "$current" "${f[1]}")
  if [ "$n" != 1 ]; then
    result="n/a"
    skipped=$((skipped + 1))
  else
    copy=$(mktemp)
    cp "$current" "$copy"
    backup=$copy
    if ! apply_mutant "$current" "${f[1]}" "${f[2]}"; then
      result="n/a (not applied)"
      skipped=$((skipped + 1))
    elif ! build_tests; then
      result="n/a (does not build)"
      skipped=$((skipped + 1))
    elif run_tests; then
      result="SURVIVED"
      survived=$((survived + 1))
    else
      result="killed"
      killed=$((killed + 1))
    fi
    restore
  fi
  printf '%-24s %-38s %s\n' "$result" "${f[0]#pdrop/}" "${f[3]}" | tee -a "$report"
done <<<"$selected"

build_tests >/dev/null 2>&1 || true
elapsed=$(($(date +%s) - start))
summary="$killed killed, $survived survived, $skipped not applicable, of $total mutants ($elapsed s)"
echo "$summary" | tee -a "$report"
