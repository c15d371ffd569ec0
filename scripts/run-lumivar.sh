#!/usr/bin/env bash
# Installs what is missing, builds, and starts the plotter from its folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
cd build/bin
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a ./lumivar "$@"
fi
exec ./lumivar "$@"
