#!/usr/bin/env bash
# Runs the property library's targets alone through fuzz/run (same build, seeds and checks).
#   fuzz/run-props.sh [SECONDS]   (default 180)
set -euo pipefail
FUZZ_TARGETS="props_cell_fuzz props_lib_fuzz" exec "$(dirname "$0")/run" "${1:-180}"
