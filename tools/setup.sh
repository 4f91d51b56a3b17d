#!/usr/bin/env bash
# Installs the Debian packages Pavik needs to build, test and run. Idempotent.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
  libqt6svg6 qt6-qpa-plugins
  libgl-dev libxkbcommon-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick xdotool xclip
  fonts-noto-cjk
  qt6-translations-l10n  # Qt's own dialogs (file, font, colour) in Japanese
  # real-world style sheets for round-trip tests and benchmarks
  libjs-bootstrap libjs-bootstrap4 libjs-bootstrap5 node-normalize.css libjs-jquery-ui-theme-base
  fonts-font-awesome
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
