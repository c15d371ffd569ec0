#!/usr/bin/env bash
# Installs what is missing, builds, and starts the workbench.
exec bash "$(dirname "$0")/run-program.sh" orvanta "$@"
