#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine, only what is
# missing. Pass "run" to install just what running the program needs.
set -euo pipefail

purpose=${1:-test}
# Only Debian-like systems are set up here; on Windows, MSYS2 brings its own packages.
if ! command -v apt-get >/dev/null 2>&1 || ! command -v dpkg-query >/dev/null 2>&1; then
  exit 0
fi
packages=(cmake ninja-build g++ make mingw-w64 g++-mingw-w64-x86-64 wine wine64 fonts-liberation)
if [ "$purpose" = test ] || [ "$purpose" = bench ]; then
  packages+=(googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth imagemagick pulseaudio clang
             libclang-rt-14-dev unzip binutils-mingw-w64-x86-64)
fi
if [ "$purpose" = run ]; then
  packages+=(xvfb xauth)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" != 0 ]; then sudo=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
