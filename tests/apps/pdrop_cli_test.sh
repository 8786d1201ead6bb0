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
    check "oil well is Modified Beggs & Brill" grep -qF "Modified Beggs & Brill (code 3)" "$work/oil_well.txt"
    for f in oil_well gas_well_annulus gas_pipeline; do
      check "$f prints no negative zero" bash -c "! grep -qE '(^| )-0\.0+( |$)' '$work/$f.txt'"
    done
    # Hagedorn & Brown's chart branch sets no pattern: shown as not classified.
    sed 's/"correlation": *[0-9]*/"correlation": 5/' "$examples/oil_well.json" > "$work/hb.json"
    "$pdrop" traverse "$work/hb.json" > "$work/hb.txt"
    check "an unclassified pattern is not called Undefined" bash -c "! grep -q Undefined '$work/hb.txt'"
    # A gas equation on a two-phase stream says which calculation it ran.
    sed 's/"correlation": *[0-9]*/"correlation": 1/' "$examples/gas_pipeline.json" > "$work/pan.json"
    "$pdrop" traverse "$work/pan.json" > "$work/pan.txt"
    check "Panhandle on two phases names its Flanigan form" grep -q "Panhandle on a two-phase stream: its Flanigan form" "$work/pan.txt"
    check "the cold pipeline is warned, not refused" grep -q "note: Standing's bubble-point correlation was fitted on temperatures 100 to 258" "$work/pan.txt"
    # Gray's own limit: tubing up to 3.5 in.
    sed 's/"id_in": 4.892, "inner_od_in": 2.375/"id_in": 3.958/' "$examples/gas_well_annulus.json" > "$work/gray.json"
    "$pdrop" traverse "$work/gray.json" > "$work/gray.txt"
    check "Gray on 3.958 in tubing is noted" grep -qF "Gray's correlation was fitted on tubing sizes 0 to 3.5 in" "$work/gray.txt"
    # A hill given by elevation is the same profile as by depth below the inlet.
    sed 's/"md_ft": 40000, "elevation_ft": 0/"md_ft": 40000, "elevation_ft": 150/' "$examples/gas_pipeline.json" > "$work/hill-ele.json"
    sed 's/"md_ft": 40000, "elevation_ft": 0/"md_ft": 40000, "tvd_ft": -150/' "$examples/gas_pipeline.json" > "$work/hill-tvd.json"
    for form in ele tvd; do
      "$pdrop" traverse "$work/hill-$form.json" --csv "$work/hill-$form.csv" > /dev/null
    done
    check "elevation 150 ft is depth -150 ft" grep -q "^40000.000,-150.000," "$work/hill-ele.csv"
    check "elevation and depth give the same rows" cmp -s "$work/hill-ele.csv" "$work/hill-tvd.csv"
    ;;
  outputs)
    "$pdrop" traverse "$examples/oil_well.json" --csv "$work/rows.csv" --json "$work/rows.json" > /dev/null
    check "csv written" test -s "$work/rows.csv"
    check "csv header carries units" grep -q "^md_ft,tvd_ft,pressure_psia,temperature_F" "$work/rows.csv"
    check "csv has one row per station" test "$(wc -l < "$work/rows.csv")" -eq 42
    check "json has the summary" grep -q '"computed_end_pressure_psia"' "$work/rows.json"
    check "no partial file left" test ! -e "$work/rows.csv.partial"
    cp "$examples/oil_well.json" "$work/case.json"
    cp "$work/case.json" "$work/case.orig"
    "$pdrop" traverse "$work/case.json" --csv "$work/case.json" > /dev/null 2> "$work/stderr"
    check "writing over the case file exits 2" test $? -eq 2
    check "the case file is left as it was" cmp -s "$work/case.json" "$work/case.orig"
    "$pdrop" traverse "$work/case.json" --csv "$work/ok.csv" --json /nonexistent/a.json > /dev/null 2> "$work/stderr"
    check "an unwritable --json exits 2" test $? -eq 2
    check "an unwritable --json writes no --csv" test ! -e "$work/ok.csv"
    check "the folder is named" grep -q "/nonexistent" "$work/stderr"
    "$pdrop" map "$examples/gas_pipeline.json" --csv "$work/map.csv" --dumps "$work/missing/" > /dev/null 2> "$work/stderr"
    check "map with a missing --dumps folder exits 2" test $? -eq 2
    check "map with a missing --dumps folder writes no --csv" test ! -e "$work/map.csv"
    check "no staging folder is left" bash -c "! ls -a '$work' | grep -q pdrop-staging"
    # Devices and pipes are written into, never replaced; a link is kept.
    mkfifo "$work/fifo"
    cat "$work/fifo" > "$work/from_fifo" &
    "$pdrop" traverse "$work/case.json" --csv "$work/fifo" > /dev/null
    wait
    check "a FIFO stays a FIFO" test -p "$work/fifo"
    check "the FIFO reader gets the rows" test "$(wc -l < "$work/from_fifo")" -eq 42
    : > "$work/real.csv"; chmod 600 "$work/real.csv"; ln -s real.csv "$work/link.csv"
    "$pdrop" traverse "$work/case.json" --csv "$work/link.csv" > /dev/null
    check "a link is kept" test -L "$work/link.csv"
    check "the linked file gets the rows" test "$(wc -l < "$work/real.csv")" -eq 42
    check "the replaced file keeps its permissions" test "$(stat -c %a "$work/real.csv")" = 600
    # An interrupt leaves no staged file behind.
    mkdir "$work/dumps"
    "$pdrop" map "$examples/gas_pipeline.json" --csv "$work/dumps/m.csv" --dumps "$work/dumps" > /dev/null &
    pid=$!
    sleep 0.5
    kill -INT $pid
    wait $pid
    check "an interrupted map exits 130" test $? -eq 130
    check "an interrupted map leaves nothing" test -z "$(ls -A "$work/dumps")"
    ;;
  bad-input)
    for cmd in "serve --port 0" "batch $examples/batch.csv"; do
      timeout 10 "$pdrop" $cmd --threads -2 > /dev/null 2> "$work/stderr"
      check "$cmd --threads -2 exits 2 naming the option" test $? -eq 2
      check "$cmd --threads -2 names the range" grep -q -- "--threads = -2 is outside" "$work/stderr"
    done
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
    # Numbers too large for a double are bad values of their field.
    for big in 1e999 -1e400 1e309; do
      expect_error "{ $(echo "$base" | sed "s/\"known_pressure_psia\": 300/\"known_pressure_psia\": $big/"), $stations }" \
        "known_pressure_psia: the number $big is too large"
    done
    expect_error "{ $base, \"stations\": [{\"md_ft\": 0, \"tvd_ft\": 0, \"id_in\": 2.441}, {\"md_ft\": 1e999, \"tvd_ft\": 0, \"id_in\": 2.441}] }" \
      "stations[1].md_ft: the number 1e999 is too large"
    # The field that is wrong is blamed, with the case file's names.
    expect_error "{ $base, \"stations\": [{\"md_ft\": 0, \"tvd_ft\": 0, \"id_in\": 1e-6}, {\"md_ft\": 10, \"tvd_ft\": 10, \"id_in\": 2.441}] }" \
      "stations[0].id_in = 1e-06 is outside"
    expect_error "{ $base, $stations, \"fluid\": {\"gas_gravity\": 3} }" "fluid.gas_gravity = 3 is outside"
    expect_error "{ $base, $stations, \"fluid\": {\"separator_pressure_psia\": 100} }" \
      "fluid.separator_temperature_F is missing"
    expect_error "{ $base, $stations, \"fluid\": {\"water_salinity_wt_pct\": 3, \"water_gravity\": 1.05} }" \
      "give one of 'water_salinity_wt_pct' and 'water_gravity'"
    expect_error "{ $(echo "$base" | sed 's/"known_pressure_psia": 300/"known_pressure_psia": 40000/'), $stations }" \
      "known_pressure_psia = 40000 is outside the accepted range 5 to 30000 psia"
    expect_error "{ $(echo "$base" | sed 's/"first_F": 90/"first_F": 800/'), $stations }" \
      "temperature.first_F = 800 is outside the accepted range -60 to 700 degF"
    expect_error "{ $(echo "$base" | sed 's/"correlation": 3/"correlation": 4294967299/'), $stations }" \
      "unknown correlation code 4294967299"
    for target in "$work/missing.json" "$work"; do
      "$pdrop" traverse "$target" > /dev/null 2> "$work/stderr"
      check "unreadable case file $target exits 2" test $? -eq 2
      check "unreadable case file is named" grep -q "cannot read case file $target" "$work/stderr"
    done
    printf '{ %s, %s }\n' "$(echo "$base" | sed 's/"known_pressure_psia": 300/"known_pressure_psia": 1e999/')" "$stations" > "$work/big.json"
    "$pdrop" map "$work/big.json" > /dev/null 2> "$work/stderr"
    check "map of an overflowing number exits 2" test $? -eq 2
    python3 -c "print('['*75000 + ']'*75000)" > "$work/deep.json"
    for command in traverse map batch; do
      "$pdrop" $command "$work/deep.json" > /dev/null 2> "$work/stderr"
      check "$command of deeply nested JSON exits 2" test $? -eq 2
      check "$command says it is nested too deep" grep -q "nested more than" "$work/stderr"
    done
    # A traverse whose pressure leaves the accepted range stops with the reason.
    printf '{ %s, %s }\n' "$(echo "$base" | sed 's/"gas_MMscfd": 0.5/"gas_MMscfd": 10000/')" "$stations" > "$work/huge.json"
    "$pdrop" traverse "$work/huge.json" > "$work/stdout" 2> "$work/stderr"
    check "an absurd rate gives no result (exit 1)" test $? -eq 1
    check "the reason is the pressure range" grep -q "INCOMPLETE.*the pressure rises above 30000 psia" "$work/stdout"
    ;;
  list)
    "$pdrop" list > "$work/list.txt"
    check "list exits 0" test $? -eq 0
    check "list shows the stored catalogue" diff "$(dirname "$0")/golden/list.txt" "$work/list.txt"
    "$pdrop" list --json > "$work/list.json"
    check "list --json gives the same catalogue" python3 -c "
import json, sys
d = json.load(open(sys.argv[1]))
names = [c['name'] for c in d['correlations']]
text = open(sys.argv[2]).read()
assert len(names) == 10 and all(n in text for n in names), names
assert [r['name'] for r in d['flow_regimes']][-1] == 'Froth'
assert d['lists']['liquid'][1] == {'code': 0, 'name': 'Fanning Liquid'}
" "$work/list.json" "$work/list.txt"
    ;;
  segment)
    "$pdrop" segment --code 0 --id-in 2.441 --dz-ft 1000 --pressure-psia 100 --temperature-F 60 \
      --water-bbld 0.0001 --json > "$work/seg.json"
    check "segment exits 0" test $? -eq 0
    check "segment reports the outlet" grep -q '"outlet_pressure_psia"' "$work/seg.json"
    "$pdrop" segment --id-in -1 --pressure-psia 100 --temperature-F 60 > /dev/null 2> "$work/stderr"
    check "segment bad diameter exits 2" test $? -eq 2
    check "segment names --id-in" grep -q -- "--id-in" "$work/stderr"
    seg() {  # the options of a 1000 ft vertical segment, unless the row gives its own
      case "$*" in
        *--pressure-psia*) "$pdrop" segment --id-in 2.441 "$@" ;;
        *) "$pdrop" segment --id-in 2.441 --dz-ft 1000 --pressure-psia 1500 --temperature-F 150 "$@" ;;
      esac
    }
    # The segment's options follow the case files' limits, naming the option.
    while IFS='|' read -r options message; do
      seg $options > /dev/null 2> "$work/stderr"
      check "segment $options exits 2" test $? -eq 2
      check "segment $options says: $message" grep -qF -- "$message" "$work/stderr"
    done <<'ROWS'
--pressure-psia 1e300 --temperature-F 150 --dz-ft 1000|--pressure-psia = 1e+300 is outside the accepted range 5 to 30000 psia
--pressure-psia 1500 --temperature-F 900 --dz-ft 1000|--temperature-F = 900 is outside the accepted range -60 to 700 degF
--pressure-psia 1500 --temperature-F 150 --dz-ft 1e9|--dz-ft = 1e+09 is outside
--pressure-psia 1500 --temperature-F 650 --dz-ft 1000 --gradient-F-per-ft 1|--gradient-F-per-ft = 1 gives a far-end temperature of 1650 degF
--pressure-psia 1500 --temperature-F 150 --dz-ft 1000 --inner-od-in 2.342|--inner-od-in = 2.342 is outside
--roughness-in 5|--roughness-in = 5 is outside
--gas-MMscfd nan|--gas-MMscfd = nan is outside
--dir 0|--dir = 0 must be +1 or -1
--foo 1|unknown option '--foo'
ROWS
    seg --gas-MMscfd 1e4 > "$work/stdout"
    check "an absurd rate prints no result (exit 1)" test $? -eq 1
    check "no result gives the reason" grep -q "^no result: the pressure rises above 30000 psia" "$work/stdout"
    check "no absurd pressure is printed" bash -c "! grep -q outlet_pressure '$work/stdout'"
    # Sign rules: a negative elevation change turns the direction over.
    "$pdrop" segment --id-in 2.441 --pressure-psia 1500 --temperature-F 150 --oil-STBd 1000 --dz-ft 1000 --json > "$work/down.json"
    "$pdrop" segment --id-in 2.441 --pressure-psia 1500 --temperature-F 150 --oil-STBd 1000 --dz-ft -1000 --dir -1 --json > "$work/down2.json"
    check "--dz-ft -1000 --dir -1 is --dz-ft 1000" cmp -s "$work/down.json" "$work/down2.json"
    seg --code "hagedorn & brown" --inner-od-in 2.341 --oil-STBd 500 > "$work/stdout"
    check "--code takes a name; the smallest annulus gap is accepted" grep -q "Hagedorn & Brown (code 5)" "$work/stdout"
    seg --code 1 --oil-STBd 500 > "$work/stdout"
    check "Panhandle on a liquid stream says Fanning liquid flow" grep -q "note: Panhandle on a liquid stream: Fanning liquid flow" "$work/stdout"
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
    # One bad case does not stop the others; each failure names its line.
    printf 'case_file,name,correlation,oil_STBd\nwell.json,a,Gray,400\nnone.json,b,3,400\nwell.json,c,3,-5\nwell.json,d,hagedorn & brown,800\n' > "$work/mixed.csv"
    "$pdrop" batch "$work/mixed.csv" --threads 2 --csv "$work/mixed_out.csv" > "$work/stdout" 2> /dev/null
    check "a batch with failed cases exits 1" test $? -eq 1
    check "correlation names are accepted in a batch table" grep -q '^"a",complete' "$work/stdout"
    check "names are matched in any letter case" grep -q '^"d",complete' "$work/stdout"
    check "a missing case file names its line" grep -q 'mixed.csv line 3: cannot read case file' "$work/stdout"
    check "a bad value names its line and field" grep -q 'mixed.csv line 4: oil_STBd = -5 is outside' "$work/stdout"
    check "the output has every case" test "$(wc -l < "$work/mixed_out.csv")" -eq 5
    printf '{"cases": [%s, {"correlation": 3}, %s]}\n' "$(cat "$examples/oil_well.json")" \
      "$(sed 's/"known_pressure_psia": *[0-9.]*/"known_pressure_psia": 1e999/' "$examples/oil_well.json")" > "$work/mixed.json"
    "$pdrop" batch "$work/mixed.json" --json "$work/mixed_out.json" > /dev/null 2>&1
    check "a JSON batch with a bad case exits 1" test $? -eq 1
    check "the bad case is named by its index" grep -q 'cases\[1\]: missing field' "$work/mixed_out.json"
    check "an overflowing number fails its case only" grep -q 'cases\[2\]: known_pressure_psia: the number 1e999' "$work/mixed_out.json"
    check "the good case of that batch runs" grep -q '"status": "complete"' "$work/mixed_out.json"
    printf '\xef\xbb\xbfcase_file,name\nwell.json,bom\n' > "$work/bom.csv"
    "$pdrop" batch "$work/bom.csv" > "$work/stdout" 2> /dev/null
    check "a byte-order mark is not part of the first column name" grep -q '^"bom",complete' "$work/stdout"
    "$pdrop" batch "$work/nothing.json" > /dev/null 2>&1
    check "an unreadable batch file exits 2" test $? -eq 2
    ;;
  map)
    "$pdrop" map "$examples/gas_pipeline.json" --csv "$work/map.csv" --json "$work/map.json" \
      --dumps "$work" > "$work/out.txt"
    check "map exits 0" test $? -eq 0
    check "map --json holds the points of the CSV and the operating point" python3 -c "
import json, sys
d = json.load(open(sys.argv[1]))
rows = sum(1 for _ in open(sys.argv[2])) - 1
assert d['ok'] and d['vsg_ftps'] > 0 and d['regime'] in sys.argv[3], d['regime']
assert sum(len(e['vsg_ftps']) for e in d['entries']) == rows
" "$work/map.json" "$work/map.csv" "$(cat "$work/out.txt")"
    check "map has 2500 points at most" test "$(wc -l < "$work/map.csv")" -le 2501
    check "map csv header" grep -q "^regime_code,regime,vsg_ftps,vsl_ftps" "$work/map.csv"
    check "map names the operating point" grep -q "operating point" "$work/out.txt"
    check "boundary file written" test -s "$work/FlowPatternMapBoundaries.txt"
    check "pattern files written" test -s "$work/FlowPattern_13_Froth.txt"
    "$pdrop" map "$examples/gas_pipeline.json" --dumps "$work/no/such/dir" > /dev/null 2> "$work/stderr"
    check "map into a missing directory exits 2" test $? -eq 2
    check "map names the directory" grep -q "no/such/dir" "$work/stderr"
    sed 's/"oil_STBd": *[0-9.]*/"oil_STBd": 0/; s/"water_bbld": *[0-9.]*/"water_bbld": 0/' \
      "$examples/gas_pipeline.json" > "$work/dry.json"
    "$pdrop" map "$work/dry.json" > /dev/null 2> "$work/stderr"
    check "map of a gas-only case exits 1" test $? -eq 1
    check "map says it needs two phases" grep -q "needs two flowing phases" "$work/stderr"
    ;;
  vlp)
    "$pdrop" vlp "$examples/oil_well.json" --rates 300,600,1200 --wellhead-pressure-psia 150,250 \
      --correlation 3,"Hagedorn & Brown" --threads 2 --csv "$work/vlp.csv" > "$work/vlp.txt"
    check "vlp exits 0" test $? -eq 0
    check "vlp writes one row per point" test "$(wc -l < "$work/vlp.csv")" -eq 13
    check "vlp names each curve" grep -q "curve 4: wellhead_pressure_psia = 250, correlation = Hagedorn & Brown (code 5)" "$work/vlp.txt"
    check "vlp marks the minimum" grep -q "minimum" "$work/vlp.txt"
    printf '{"rates": [1000, 2000], "water_cut": [0, 0.5]}\n' > "$work/sens.json"
    "$pdrop" vlp "$examples/oil_well.json" --sensitivities "$work/sens.json" --json "$work/vlp.json" > /dev/null
    check "vlp takes a sensitivities file" grep -q '"water_cut": 0.5' "$work/vlp.json"
    while IFS='|' read -r options message; do
      "$pdrop" vlp "$examples/oil_well.json" $options --csv "$work/bad.csv" > /dev/null 2> "$work/stderr"
      check "vlp $options exits 2" test $? -eq 2
      check "vlp $options says: $message" grep -qF -- "$message" "$work/stderr"
      check "vlp $options writes nothing" test ! -e "$work/bad.csv"
    done <<'ROWS'
--rates 500,400|rates[1] = 400
--rates 500,x|--rates[1] = 'x' is not a number
--water-cut 1.5|water_cut[0] = 1.5 is outside
--correlation Moody|unknown correlation 'Moody'
--sensitivities /nonexistent.json|cannot read sensitivities file /nonexistent.json
ROWS
    "$pdrop" vlp "$examples/oil_well.json" --rates 500 --csv "$examples/oil_well.json" > /dev/null 2>&1
    check "vlp never writes over its case" test $? -eq 2
    # A curve whose case the traverse refuses is bad input, not a point without a result.
    "$pdrop" vlp "$examples/gas_well_annulus.json" --id-in 2.4,6 --rates 1,3 > /dev/null 2> "$work/stderr"
    check "vlp with a tubing narrower than the inner string exits 2" test $? -eq 2
    check "and names the curve and the field" grep -q "id_in 2.4, rate 1: stations\[0\].inner_od_in" "$work/stderr"
    ;;
  vfp)
    "$pdrop" vfp "$examples/oil_well.json" --axes "$examples/oil_well_vfp.json" -o "$work/prod.inc" \
      --threads 2 > "$work/out.txt"
    check "vfp exits 0" test $? -eq 0
    check "vfp names the table" grep -q "VFPPROD table 1 (FIELD, datum 8000 ft): 320 cells" "$work/out.txt"
    check "one record per curve" test "$(grep -cE '^ +[0-9]+ +[0-9]+ +[0-9]+ +1 ' "$work/prod.inc")" -eq 64
    check "the header names the case file" grep -qF "($examples/oil_well.json)" "$work/prod.inc"
    "$pdrop" vfp "$examples/water_injector.json" --axes "$examples/water_injector_vfp.json" \
      -o "$work/inj.inc" > /dev/null
    check "an injector's table is a VFPINJ" grep -q "^VFPINJ$" "$work/inj.inc"
    # A rate the tubing cannot carry: its cells are filled and reported.
    sed 's/4000\]/4000, 40000]/; s/\[0, 0.2, 0.5, 0.8\]/[0.2]/; s/\[0.2, 0.5, 1, 2\]/[0.5]/' \
      "$examples/oil_well_vfp.json" > "$work/high.json"
    "$pdrop" vfp "$examples/oil_well.json" --axes "$work/high.json" -o "$work/high.inc" \
      > /dev/null 2> "$work/stderr"
    check "a table with filled cells exits 0" test $? -eq 0
    check "each filled cell is reported" test "$(grep -c "^pdrop: filled cell .* LIQ 40000 stb/d: no result" "$work/stderr")" -eq 4
    check "and listed in the header" test "$(grep -c "^-- filled cell" "$work/high.inc")" -eq 4
    # Bad input: exit 2 naming the field, nothing written.
    bad_axes() {  # SED_EXPRESSION MESSAGE
      sed "$1" "$examples/oil_well_vfp.json" > "$work/axes.json"
      "$pdrop" vfp "$examples/oil_well.json" --axes "$work/axes.json" -o "$work/bad.inc" \
        > /dev/null 2> "$work/stderr"
      local rc=$?
      check "vfp exits 2 for: $2 (got $rc)" test "$rc" -eq 2
      check "vfp names '$2': $(cat "$work/stderr")" grep -qF -- "$2" "$work/stderr"
      check "no table written for: $2" test ! -e "$work/bad.inc"
    }
    bad_axes 's/"FIELD"/"SI"/' "units: 'SI' is not one of FIELD, METRIC"
    bad_axes 's/8000/9000/' "datum_ft = 9000 ft is outside the well's true vertical depths"
    "$pdrop" vfp "$examples/water_injector.json" --axes "$examples/oil_well_vfp.json" \
      -o "$work/bad.inc" > /dev/null 2> "$work/stderr"
    check "a producer's table of an injector exits 2" test $? -eq 2
    check "it names flow_to" grep -q "flow_to: a VFPPROD table needs a producer" "$work/stderr"
    cp "$examples/oil_well_vfp.json" "$work/axes.json"
    cp "$work/axes.json" "$work/axes.orig"
    "$pdrop" vfp "$examples/oil_well.json" --axes "$work/axes.json" -o "$work/axes.json" > /dev/null 2>&1
    check "writing over the axes file exits 2" test $? -eq 2
    check "the axes file is left as it was" cmp -s "$work/axes.json" "$work/axes.orig"
    "$pdrop" vfp "$examples/oil_well.json" --axes "$work/axes.json" -o "$work/t.inc" --threads 0 \
      > /dev/null 2>&1
    check "--threads 0 exits 2" test $? -eq 2
    ;;
  match)
    "$pdrop" match "$examples/oil_well.json" "$examples/oil_well_survey.csv" --threads 2 \
      --csv "$work/rank.csv" --write-case "$work/fitted.json" > "$work/out.txt" 2> "$work/stderr"
    check "match exits 0" test $? -eq 0
    # The example survey was made with Hagedorn & Brown and a hydrostatic efficiency of 0.95.
    check "the correlation the survey was made with ranks first" grep -qE "^ +1  Hagedorn & Brown" "$work/out.txt"
    check "a poorly determined friction efficiency is said so" \
      grep -qE "friction efficiency [0-9.]+ is poorly determined" "$work/out.txt"
    check "the ranking CSV has one row per correlation" test "$(wc -l < "$work/rank.csv")" -eq 5
    "$pdrop" match "$examples/oil_well.json" "$examples/oil_well_survey.csv" --threads 1 \
      --csv "$work/rank1.csv" > /dev/null
    check "one thread gives the ranking of two" cmp -s "$work/rank.csv" "$work/rank1.csv"
    check "the written case names the best correlation" grep -q '"correlation": 5' "$work/fitted.json"
    # The written case's traverse applies the fitted efficiencies: it ends
    # within a few psi of the gauge's 2280.1 psia at 8000 ft, not 150 psi off.
    "$pdrop" traverse "$work/fitted.json" > "$work/fitted.txt"
    check "the written case runs" test $? -eq 0
    check "the written case reproduces the survey's bottom pressure" awk '
      /computed last-station pressure/ { p = $4; found = 1 }
      END { exit !(found && p > 2270 && p < 2290) }' "$work/fitted.txt"
    "$pdrop" match "$examples/oil_well.json" "$examples/oil_well_survey.csv" --fit none \
      --correlations "5,modified beggs & brill" > "$work/none.txt"
    check "--fit none compares the chosen correlations only" test "$(grep -cE "^ +[0-9]  " "$work/none.txt")" -eq 2
    check "--fit none prints no efficiencies" bash -c "! grep -q 'HFe' '$work/none.txt'"
    # Bad input: exit 2 naming the row or option, nothing written.
    cp "$examples/oil_well.json" "$work/case.json"
    cp "$work/case.json" "$work/case.orig"
    match_error() {  # match_error SURVEY_TEXT MESSAGE [OPTIONS...]
      local text=$1 message=$2
      shift 2
      printf '%b' "$text" > "$work/survey.csv"
      rm -f "$work/bad_rank.csv" "$work/bad_case.json"
      "$pdrop" match "$work/case.json" "$work/survey.csv" --csv "$work/bad_rank.csv" \
        --write-case "$work/bad_case.json" "$@" > /dev/null 2> "$work/stderr"
      local rc=$?
      check "match exit code 2 for: $message (got $rc)" test "$rc" -eq 2
      check "match message names '$message': $(cat "$work/stderr")" grep -qF -- "$message" "$work/stderr"
      check "match writes nothing for: $message" test ! -e "$work/bad_rank.csv" -a ! -e "$work/bad_case.json"
    }
    good='md_ft,pressure_psia\n1000,420\n4000,1100\n'
    match_error 'md_ft,pressure_psia\n1000,420\n4000,x1100\n' "survey.csv line 3: pressure_psia = 'x1100' is not a number"
    match_error 'md_ft,pressure_psia\n1000,420\n9000,2500\n' "survey.csv line 3: md_ft = 9000 is outside the measured depths of the case, 0 to 8000 ft"
    match_error 'md_ft,pressure_psia\n1000,420\n4000,1100\n3000,900\n' "survey.csv line 4: md_ft = 3000 does not follow"
    match_error "$good" "--fit = 'all' is not one of none, friction, hydrostatic, both" --fit all
    match_error "$good" "unknown correlation code 42" --correlations 3,42
    match_error "$good" "--friction-bounds = 1.500,0.500: the low bound must be below the high one" --friction-bounds 1.5,0.5
    match_error "$good" "--hydrostatic-bounds low = 0 is outside the accepted range" --hydrostatic-bounds 0,1
    printf '%b' "$good" > "$work/survey.csv"
    "$pdrop" match "$work/case.json" "$work/survey.csv" --write-case "$work/case.json" > /dev/null 2> "$work/stderr"
    check "--write-case over the case file exits 2" test $? -eq 2
    check "the case file is left as it was" cmp -s "$work/case.json" "$work/case.orig"
    "$pdrop" match "$work/case.json" "$work/survey.csv" --csv "$work/survey.csv" > /dev/null 2> "$work/stderr"
    check "--csv over the survey file exits 2" test $? -eq 2
    check "the survey file is left as it was" test "$(cat "$work/survey.csv")" = "$(printf '%b' "$good")"
    ;;
  *)
    echo "unknown scenario $scenario"
    exit 2
    ;;
esac

echo "$passed passed, $failed failed"
test "$failed" -eq 0
