#!/usr/bin/env bash
# Runs every test headless: one Xvfb display for the whole CTest run.
set -euo pipefail
build=${1:-build}
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
export OMP_THREAD_LIMIT=1
export QTWEBENGINE_DISABLE_SANDBOX=1
export LD_NO_CRASH_MSG=1
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 300
