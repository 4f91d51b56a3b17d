#!/usr/bin/env bash
# Opening a style sheet at start, measured from outside: the program is started on a sheet
# (offscreen, with the real browser and a fresh PAVIK_HOME) and timed from its start until
# the preview files are written; its resident memory is read once it has settled. The
# sheets are open_bench's cases (the page case needs the user's choice and is left out).
#
#   bench/window/open_blackbox.sh <build dir> [case ...]
set -euo pipefail
build="$(cd "${1:?usage: open_blackbox.sh <build dir> [case ...]}" && pwd)"
shift
cases=("$@")
[ ${#cases[@]} -gt 0 ] || cases=(empty bootstrap5 line10 rules660k line100 small1m nesting)

export QT_QPA_PLATFORM=offscreen
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

status() { awk -v k="$1:" '$1 == k { printf "%.0f", $2 / 1024 }' "/proc/$2/status"; }

printf '%-10s %8s %8s %8s %8s\n' case MB ms peakMB rssMB
for c in "${cases[@]}"; do
  sheet="$work/$c.css"
  if [ "$c" = bootstrap5 ]; then
    src=/usr/share/javascript/bootstrap5/css/bootstrap.css
    [ -f "$src" ] || { echo "$c skipped: $src is not installed"; continue; }
    cp "$src" "$sheet"
  else
    "$build/bench/window/open_bench" --write="$c" "$sheet"
  fi
  home="$work/home-$c"
  mkdir -p "$home"
  done_file="$home/Pavik\$\$Preview\$\$.CSS"
  start=$(date +%s%N)
  PAVIK_HOME="$home" "$build/bin/pavik" "$sheet" >/dev/null 2>&1 &
  pid=$!
  while [ ! -e "$done_file" ] && kill -0 "$pid" 2>/dev/null; do sleep 0.01; done
  end=$(date +%s%N)
  sleep 2
  peak=$(status VmHWM "$pid")
  rss=$(status VmRSS "$pid")
  kill -TERM "$pid"
  wait "$pid" || true
  printf '%-10s %8.2f %8d %8s %8s\n' "$c" "$(stat -c %s "$sheet" | awk '{ print $1 / 1048576 }')" \
    $(((end - start) / 1000000)) "$peak" "$rss"
  rm -f "$sheet"
done
