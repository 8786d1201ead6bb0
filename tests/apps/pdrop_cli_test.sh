#!/usr/bin/env bash
# Runs the pdrop command on the example cases and on bad input.
# Usage: pdrop_cli_test.sh PDROP_BINARY EXAMPLES_DIR SCENARIO
set -u
pdrop=$1
examples=$2
scenario=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}

# expect_error FILE_CONTENT_JSON EXPECTED_MESSAGE_PART: exit 2, message, no output file.
expect_error() {
  local json=$1 message=$2
  printf '%s\n' "$json" > "$work/bad.json"
  "$pdrop" traverse "$work/bad.json" --csv "$work/out.csv" > "$work/stdout" 2> "$work/stderr"
  local rc=$?
  check "exit code 2 for: $message (got $rc)" test "$rc" -eq 2
  check "message names '$message': $(cat "$work/stderr")" grep -qF -- "$message" "$work/stderr"
  check "no half-written output for: $message" test ! -e "$work/out.csv"
}

base='"correlation": 3, "known_end": "top", "flow_to": "top", "known_pressure_psia": 300,
  "gas_MMscfd": 0.5, "oil_STBd": 800, "water_bbld": 100,
  "temperature": {"model": "linear", "first_F": 90, "last_F": 180}'
stations='"stations": [{"md_ft": 0, "tvd_ft": 0, "id_in": 2.441}, {"md_ft": 5000, "tvd_ft": 5000, "id_in": 2.441}]'

case $scenario in
  examples)
    for f in oil_well gas_well_annulus gas_pipeline; do
      "$pdrop" traverse "$examples/$f.json" > "$work/$f.txt" 2>&1
      check "$f exits 0" test $? -eq 0
      check "$f has a summary" grep -q "computed last-station pressure" "$work/$f.txt"
    done
    check "oil well is Modified Beggs & Brill" grep -q "Generally Applicable (code 3)" "$work/oil_well.txt"
    ;;
  outputs)
    "$pdrop" traverse "$examples/oil_well.json" --csv "$work/rows.csv" --json "$work/rows.json" > /dev/null
    check "csv written" test -s "$work/rows.csv"
    check "csv header carries units" grep -q "^md_ft,tvd_ft,pressure_psia,temperature_F" "$work/rows.csv"
    check "csv has one row per station" test "$(wc -l < "$work/rows.csv")" -eq 42
    check "json has the summary" grep -q '"computed_end_pressure_psia"' "$work/rows.json"
    check "no partial file left" test ! -e "$work/rows.csv.partial"
    ;;
  bad-input)
    expect_error "{ $base, $stations, \"colour\": 1 }" "unknown field 'colour'"
    expect_error "{ \"correlation\": 3, \"known_end\": \"top\", \"flow_to\": \"top\", \"known_pressure_psia\": 300,
      \"gas_MMscfd\": 0.5, \"water_bbld\": 100, \"temperature\": {\"model\": \"linear\", \"first_F\": 90, \"last_F\": 180},
      $stations }" "missing field 'oil_STBd'"
    expect_error "{ $base, \"stations\": [{\"md_ft\": 0, \"tvd_ft\": 0, \"id_in\": -2.441}, {\"md_ft\": 10, \"tvd_ft\": 10, \"id_in\": 2.441}] }" \
      "stations[0].id_in = -2.441"
    expect_error "{ $base, \"stations\": [{\"md_ft\": 0, \"tvd_ft\": 0, \"id_in\": 2.441}, {\"md_ft\": 4000, \"tvd_ft\": 4000, \"id_in\": 2.441}, {\"md_ft\": 3000, \"tvd_ft\": 3000, \"id_in\": 2.441}] }" \
      "stations[2].md_ft = 3000"
    expect_error "{ $(echo "$base" | sed 's/"correlation": 3/"correlation": 42/'), $stations }" \
      "unknown correlation code 42"
    expect_error "{ $(echo "$base" | sed 's/"correlation": 3/"correlation": "Moody"/'), $stations }" \
      "unknown correlation 'Moody'"
    expect_error "not json" "not valid JSON"
    "$pdrop" traverse "$work/missing.json" > /dev/null 2> "$work/stderr"
    check "missing file exits 2" test $? -eq 2
    check "missing file is named" grep -q "missing.json: cannot be read" "$work/stderr"
    ;;
  list)
    "$pdrop" list > "$work/list.txt"
    check "list exits 0" test $? -eq 0
    for name in "Modified Beggs & Brill" "Hagedorn & Brown" "Petalas & Aziz" "Fanning Liquid" "Stratified (Wavy)"; do
      check "list names $name" grep -qF "$name" "$work/list.txt"
    done
    ;;
  segment)
    "$pdrop" segment --code 0 --id-in 2.441 --dz-ft 1000 --pressure-psia 100 --temperature-F 60 \
      --water-bbld 0.0001 --json > "$work/seg.json"
    check "segment exits 0" test $? -eq 0
    check "segment reports the outlet" grep -q '"outlet_pressure_psia"' "$work/seg.json"
    "$pdrop" segment --id-in -1 --pressure-psia 100 --temperature-F 60 > /dev/null 2> "$work/stderr"
    check "segment bad diameter exits 2" test $? -eq 2
    check "segment names --id-in" grep -q -- "--id-in" "$work/stderr"
    ;;
  batch)
    printf '{"cases": [%s, %s, %s]}\n' "$(cat "$examples/oil_well.json")" \
      "$(cat "$examples/gas_well_annulus.json")" "$(cat "$examples/gas_pipeline.json")" > "$work/cases.json"
    "$pdrop" batch "$work/cases.json" --threads 2 --csv "$work/batch.csv" > "$work/stdout" 2> "$work/stderr"
    check "batch exits 0" test $? -eq 0
    check "batch writes one row per case" test "$(wc -l < "$work/batch.csv")" -eq 4
    check "batch shows progress" grep -q "3/3" "$work/stderr"
    cp "$examples/oil_well.json" "$work/well.json"
    printf 'case_file,name,oil_STBd\nwell.json,low,400\nwell.json,high,1600\n' > "$work/cases.csv"
    "$pdrop" batch "$work/cases.csv" --threads 1 > "$work/stdout" 2> /dev/null
    check "csv batch exits 0" test $? -eq 0
    check "csv batch overrides the rate" grep -q '^"high",complete' "$work/stdout"
    printf 'case_file,colour\nwell.json,red\n' > "$work/bad.csv"
    "$pdrop" batch "$work/bad.csv" > /dev/null 2> "$work/stderr"
    check "csv batch rejects an unknown column" test $? -eq 2
    check "csv batch names the column" grep -q "unknown column 'colour'" "$work/stderr"
    ;;
  map)
    "$pdrop" map "$examples/gas_pipeline.json" --csv "$work/map.csv" --dumps "$work" > "$work/out.txt"
    check "map exits 0" test $? -eq 0
    check "map has 2500 points at most" test "$(wc -l < "$work/map.csv")" -le 2501
    check "map csv header" grep -q "^regime_code,regime,vsg_ftps,vsl_ftps" "$work/map.csv"
    check "map names the operating point" grep -q "operating point" "$work/out.txt"
    check "boundary file written" test -s "$work/FlowPatternMapBoundaries.txt"
    check "pattern files written" test -s "$work/FlowPattern_13_Froth.txt"
    "$pdrop" map "$examples/gas_pipeline.json" --dumps "$work/no/such/dir" > /dev/null 2> "$work/stderr"
    check "map into a missing directory exits 2" test $? -eq 2
    check "map names the directory" grep -q "no/such/dir" "$work/stderr"
    ;;
  *)
    echo "unknown scenario $scenario"
    exit 2
    ;;
esac

echo "$passed passed, $failed failed"
test "$failed" -eq 0
