#!/usr/bin/env bash
# Runs the case-file reader's target alone through fuzz/run (same build, seeds and checks).
#   fuzz/run-casefile.sh [SECONDS]   (default 180)
set -euo pipefail
FUZZ_TARGETS="casefile_fuzz" exec "$(dirname "$0")/run" "${1:-180}"
