# make run   installs what is missing, builds and starts the editor
# make test  installs what is missing, builds and runs every test
# make package  what players receive, into build/package
# make lint  static checks over the sources

JOBS ?= $(shell nproc)

.PHONY: all deps build windows package bench test test-native test-asan test-fuzz fuzz-long mutate run lint clean

all: build

deps:
	./scripts/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)
	$(MAKE) windows

# config.exe (32-bit) and the same sources for 64-bit Windows, which the
# end-to-end tests run where the machine cannot execute 32-bit code.
windows:
	cmake --preset mingw
	cmake --build --preset mingw -j $(JOBS)
	cmake --preset mingw64
	cmake --build --preset mingw64 -j $(JOBS)

# What players receive (cmake/Package.cmake), with CPack: the .deb and the
# source archive from the native tree, the zip from the 32-bit Windows tree,
# and their checksums.
package: build
	rm -rf build/package
	cd build/default && cpack && cpack --config CPackSourceConfig.cmake
	cd build/mingw && cpack
	cd build/package && sha256sum *.deb *.zip *.tar.gz >SHA256SUMS
	@ls -l build/package

# Every test: the native tests, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short fuzz run as a regression guard.
test: test-native test-asan test-fuzz

# The packages are checked among the native tests, so they are made first.
test-native: build package
	ctest --preset default -j $(JOBS)

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

test-fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	ctest --preset fuzz -j $(JOBS)

# A long fuzz run over both cores (FUZZ_SECONDS each target).
FUZZ_SECONDS ?= 3600
fuzz-long: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	tests/fuzz/run-fuzzer.sh $(CURDIR)/build/fuzz/tests/fuzz/settings_fuzzer $(CURDIR)/tests/fuzz/corpus/settings $(FUZZ_SECONDS) $(JOBS)
	tests/fuzz/run-fuzzer.sh $(CURDIR)/build/fuzz/tests/fuzz/input_code_fuzzer $(CURDIR)/tests/fuzz/corpus/codes $(FUZZ_SECONDS) $(JOBS)

# The mutation sample of docs/testing.md: faults seeded into the portable
# core and the CLI, 25 a file with seed 1, against the native unit tests, in
# private copies under build/mutate. Not part of `make test`: it takes about
# an hour on two cores.
MUTATE_JOBS ?= $(JOBS)
mutate: deps
	python3 tools/mutate.py --root $(CURDIR) --per-file 25 --seed 1 --jobs $(MUTATE_JOBS) \
		--work $(CURDIR)/build/mutate --out $(CURDIR)/build/mutation.md --json $(CURDIR)/build/mutation.json
	@echo "make mutate: report in build/mutation.md"

# Benchmarks of the hot paths and the start-up pairs, into docs/performance.md.
bench: build
	./scripts/bench.sh

# The Linux editor needs a display to show its window on.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "make run: no display (DISPLAY and WAYLAND_DISPLAY are empty); start it from a desktop session, or run it under Xvfb: xvfb-run build/default/ravelstone-config" >&2; \
		exit 1; \
	fi
	./build/default/ravelstone-config

lint: build
	./scripts/lint.sh

clean:
	rm -rf build
