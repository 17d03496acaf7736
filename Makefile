# Keytide: `make run` starts the program, `make test` runs every test tier.
# Both install what is missing on a Debian machine first (scripts/setup.sh).
SHELL := /bin/bash
JOBS ?= 2
# On Windows (MSYS2 MinGW shell) the program is built natively, elsewhere cross-compiled.
WIN_PRESET := $(if $(filter MINGW% MSYS%,$(shell uname -s)),msys2,mingw)

.PHONY: run test setup build native asan mingw dist screenshots unit unit-asan e2e ini-diff fuzz fuzz-long bench soak \
        clean

run:
	@scripts/setup.sh run
	@$(MAKE) --no-print-directory mingw
	@scripts/run.sh

test:
	@scripts/setup.sh test
	@scripts/test.sh

setup:
	@scripts/setup.sh test

build: native mingw

native:
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS)

asan:
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)

mingw:
	@cmake --preset $(WIN_PRESET) >/dev/null
	@cmake --build --preset $(WIN_PRESET) -j $(JOBS)

# The release: dist/keytide-<version>-win64.zip from the Windows build (scripts/release-check.sh tests it).
dist:
	@scripts/setup.sh run
	@cmake --preset $(WIN_PRESET) >/dev/null
	@cmake --build --preset $(WIN_PRESET) -j $(JOBS) --target keytide_zip

# Pictures of the program in docs/ for the README, made again whenever a source
# that draws a face changes (or the script that takes them).
FACE_SOURCES := $(shell find src/osd src/widgets src/shell src/editor res tools/trayicons -type f) \
                $(wildcard src/settings/SettingsDialog*) \
                tests/e2e/data/default-ktd.ini tests/e2e/driver/FaceShots.cpp scripts/screenshots.sh
screenshots: build/screenshots.stamp
build/screenshots.stamp: $(FACE_SOURCES)
	@scripts/setup.sh test
	@$(MAKE) --no-print-directory mingw
	@scripts/screenshots.sh
	@touch $@

unit: native
	@ctest --preset native -j $(JOBS)

unit-asan: asan
	@ctest --preset asan -j $(JOBS)

e2e: mingw
	@scripts/e2e.sh build/mingw

ini-diff: mingw
	@scripts/ini-diff.sh build/mingw

fuzz:
	@scripts/fuzz.sh 20

fuzz-long:
	@scripts/fuzz.sh 600

soak:
	@scripts/setup.sh test
	@$(MAKE) --no-print-directory mingw
	@scripts/soak.sh build/mingw

bench:
	@scripts/setup.sh bench
	@$(MAKE) --no-print-directory mingw
	@cmake --build --preset $(WIN_PRESET) -j $(JOBS) --target keytide_benches
	@scripts/bench.sh build/mingw

clean:
	rm -rf build
