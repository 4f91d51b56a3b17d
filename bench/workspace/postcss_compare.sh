#!/usr/bin/env bash
# Compares our read (and read + write) with postcss's parse on the same files in one run.
# postcss is installed with npm into a temporary folder that is removed afterwards.
#
#   bench/workspace/postcss_compare.sh [build dir]     (default: build/document-bench)
#
# The build dir holds a Release build configured with -DPAVIK_TESTS=OFF -DPAVIK_BENCH=ON and
# the target document_bench built.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/document-bench}
bench=$build/bench/workspace/document_bench
if [ ! -x "$bench" ]; then
  echo "document_bench not found in $build; build it first" >&2
  exit 1
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$tmp" && npm install --silent --no-audit --no-fund --no-save postcss >/dev/null)

declare -A files=()
for v in 4 5; do
  f=/usr/share/javascript/bootstrap$v/css/bootstrap.css
  if [ -f "$f" ]; then files[bootstrap$v]=$f; else echo "skipped bootstrap$v: $f is not installed"; fi
done
"$bench" --write-synthetic="$tmp/synthetic10MB.css" --mb=10
files[synthetic10MB]=$tmp/synthetic10MB.css

filter=$(IFS='|'; echo "${!files[*]}")
"$bench" --benchmark_filter="^(Read|ReadWrite)/($filter)\$" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_out="$tmp/ours.json" \
  --benchmark_out_format=json >/dev/null 2>"$tmp/bench.err" || { cat "$tmp/bench.err" >&2; exit 1; }

cat >"$tmp/compare.js" <<'JS'
const fs = require('fs');
const postcss = require('postcss');
const [oursJson, ...pairs] = process.argv.slice(2);
const ours = {};
for (const b of JSON.parse(fs.readFileSync(oursJson, 'utf8')).benchmarks)
  if (b.aggregate_name === 'median') ours[b.run_name] = b.real_time;  // milliseconds
const ms = (x) => x.toFixed(2).padStart(9);
console.log('file             bytes   read ms  read+write ms  postcss parse ms  postcss / (read+write)');
for (const pair of pairs) {
  const [name, file] = pair.split('=');
  const text = fs.readFileSync(file, 'latin1');  // one character per byte, like ours
  for (let i = 0; i < 3; i++) postcss.parse(text);
  const times = [];
  for (let i = 0; i < 9; i++) {
    const t = process.hrtime.bigint();
    postcss.parse(text);
    times.push(Number(process.hrtime.bigint() - t) / 1e6);
  }
  times.sort((a, b) => a - b);
  const p = times[4], r = ours['Read/' + name], rw = ours['ReadWrite/' + name];
  console.log(`${name.padEnd(14)} ${String(text.length).padStart(8)} ${ms(r)} ${ms(rw)}      ${ms(p)}         ${(p / rw).toFixed(1)}x`);
}
JS
args=()
for name in "${!files[@]}"; do args+=("$name=${files[$name]}"); done
(cd "$tmp" && node compare.js "$tmp/ours.json" "${args[@]}")
