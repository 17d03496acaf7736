#!/usr/bin/env bash
# The long run of the hostile-file guard (make soak): a few hundred ktd.ini
# variants from a new seed (printed, so that a failing run can be repeated
# with KEYTIDE_HOSTILE_SEED), each given to the real program under Wine.
#
# usage: scripts/soak.sh [build-dir]     (default build/mingw)
# Environment: KEYTIDE_HOSTILE_FILES (300), KEYTIDE_HOSTILE_SEED (from the
#   clock), KEYTIDE_HOSTILE_VERBOSE (0).
set -u
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build/mingw}"
export KEYTIDE_HOSTILE_FILES="${KEYTIDE_HOSTILE_FILES:-300}"
export KEYTIDE_HOSTILE_SEED="${KEYTIDE_HOSTILE_SEED:-$(( $(date +%s) % 1000000 ))}"
echo "soak: $KEYTIDE_HOSTILE_FILES files from seed $KEYTIDE_HOSTILE_SEED"
# About five seconds a file, with room to spare.
KEYTIDE_E2E_JOBS=1 KEYTIDE_E2E_TIMEOUT=$(( KEYTIDE_HOSTILE_FILES * 15 + 120 )) exec "$repo/scripts/e2e.sh" "$build" hostile.
