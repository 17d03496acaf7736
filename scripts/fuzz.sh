#!/usr/bin/env bash
# Builds the INI fuzz target with clang (libFuzzer, ASan, UBSan) and runs it.
#   scripts/fuzz.sh [seconds]     default 20 seconds
# KEYTIDE_FUZZ_BUILD_DIR chooses the build directory (default build/fuzz).
# Inputs that crash are kept as <build>/ini_fuzz_artifacts/crash-*; the corpus
# grown by earlier runs is kept in <build>/ini_fuzz_corpus.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
build=${KEYTIDE_FUZZ_BUILD_DIR:-build/fuzz}
jobs=${JOBS:-2}

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" --target ini_fuzz -j "$jobs"

seeds="$build/ini_fuzz_seeds"
corpus="$build/ini_fuzz_corpus"
artifacts="$build/ini_fuzz_artifacts"
mkdir -p "$seeds" "$corpus" "$artifacts"

# Seeds: section NUL key NUL value NUL file text.
seed() { printf "$2" >"$seeds/$1"; }
seed replace 'NumPadKey0\0OSDLabel\0Calc\0[NumPadKey0]\r\nOSDLabel=Run\r\nFileName=\r\n\r\n[Settings]\r\nAutoLoad=1\r\n'
seed add-key 'a\0k\0v\0[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n'
seed new-section 'IsActive\0IsKTDActive\0001\0[a]\nx=1'
seed quotes 'q\0k\0"v"\0[q]\r\nk= "quoted" \r\nj='"'"'single'"'"'\r\nu="open\r\n'
seed odd-lines 's\0k\0v\0k=0\r\n[s] tail\r\n[s]b]\r\nk\r\n[s\r\n;k=c\r\nk = x \r\n'
seed cr-only 'a\0j\0v\0[a]\rk=1\n\n[b]\r'
seed empty 'a\0k\0\0'

dict="$build/ini_fuzz.dict"
printf '%s\n' '"["' '"]"' '"="' '"\x0d\x0a"' '"\x0a"' '"\x0d"' '"\x22"' '"'"'"'"' '" "' '"\x09"' '"\x00"' \
  '";"' '"[a]"' '"k="' >"$dict"

echo "Fuzzing the INI engine for $seconds s"
"$build/ini_fuzz" -max_total_time="$seconds" -print_final_stats=1 -dict="$dict" \
  -artifact_prefix="$artifacts/" "$corpus" "$seeds"
