#!/usr/bin/env bash
# Runs every benchmark, prints the table of figures and writes it as JSON to
# BUILD_DIR/bench-results.json. The program measured is the installed one,
# stripped, put in place under BENCH_DIR/install.
#   usage: run.sh BUILD_DIR BENCH_DIR
set -euo pipefail
build=$1
bench=$2
json=$build/bench-results.json
results=$bench/results.tsv

cmake --install "$build" --prefix "$bench/install" --strip >/dev/null
program=$bench/install/bin/brelkot

# What the program aims at, as medians on the two-core development machine.
targets='startup.ratio <= 1.3
switch.painted_ms < 16
switch.painted_worst_ms < 33
press.form1_us < 1000
press.form2_us < 1000
press.form3_us < 1000
model.first_order_ns < 1000
model.second_order_ns < 1000
model.third_order_ns < 1000
memory.ratio <= 1.3
cli.ratio <= 1.2'

{
    stat -c %s "$program" | awk '{ printf "size.stripped_kib\t%.1f\tKiB\n", $1 / 1024 }'
    "$bench/bench_model"
    QT_QPA_PLATFORM=offscreen "$bench/bench_press"
    "$bench/bench_cli" "$program" "$bench/bench_minimal_exit"
    "$bench/bench_x11" "$program" "$bench/bench_minimal_qt" "$bench/bench_minimal_text"
} >"$results"

awk -F'\t' -v json="$json" -v targets="$targets" '
BEGIN {
    n = split(targets, lines, "\n")
    for (i = 1; i <= n; i++) {
        split(lines[i], t, " ")
        op[t[1]] = t[2]
        limit[t[1]] = t[3]
    }
    printf "%-36s %10s  %-4s %-9s %s\n", "figure", "value", "unit", "target", ""
    print "{\n  \"figures\": [" >json
}
{
    target = ""; verdict = ""; extra = ""
    if ($1 in op) {
        target = op[$1] " " limit[$1]
        met = op[$1] == "<" ? $2 < limit[$1] + 0 : $2 <= limit[$1] + 0
        verdict = met ? "met" : "MISSED"
        extra = sprintf(", \"target\": \"%s\", \"met\": %s", target, met ? "true" : "false")
    }
    printf "%-36s %10s  %-4s %-9s %s\n", $1, $2, $3, target, verdict
    printf "%s    {\"name\": \"%s\", \"value\": %s, \"unit\": \"%s\"%s}", (NR > 1 ? ",\n" : ""), $1, $2, $3, extra >json
}
END { print "\n  ]\n}" >json }
' "$results"
echo "written to $json"
