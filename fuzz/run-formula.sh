#!/usr/bin/env bash
# Runs the formula evaluator's target alone through fuzz/run (same build, seeds and checks).
#   fuzz/run-formula.sh [SECONDS]   (default 180)
set -euo pipefail
FUZZ_TARGETS="formula_fuzz" exec "$(dirname "$0")/run" "${1:-180}"
