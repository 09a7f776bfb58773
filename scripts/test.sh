#!/usr/bin/env bash
# Runs the tests headless: one Xvfb display for the whole CTest run.
# Without more arguments every test but the slow Debian package build (label "package") runs; further
# arguments go to CTest instead, e.g. `scripts/test.sh build -L package`.
set -euo pipefail
build=${1:-build}
shift || true
if [ $# -eq 0 ]; then set -- -LE package; fi
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
export OMP_THREAD_LIMIT=1
export QTWEBENGINE_DISABLE_SANDBOX=1
export LD_NO_CRASH_MSG=1
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 300 "$@"
