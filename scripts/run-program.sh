#!/usr/bin/env bash
# Installs what is missing, builds, and starts one program (orvanta or lumivar)
# from its folder, under xvfb-run when no display is running.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:?program name}
shift
bash scripts/install-deps.sh
bash scripts/build.sh
cd build/bin
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a "./$program" "$@"
fi
exec "./$program" "$@"
