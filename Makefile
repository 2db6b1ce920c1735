# make run   installs what is missing, builds and starts the editor
# make test  installs what is missing, builds and runs every test
# make lint  static checks over the sources

JOBS ?= $(shell nproc)

.PHONY: all deps build test run lint clean

all: build

deps:
	./scripts/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

test: build
	ctest --preset default -j $(JOBS)

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
