# make run   installs what is missing, builds and starts the editor
# make test  installs what is missing, builds and runs every test
# make lint  static checks over the sources

JOBS ?= $(shell nproc)

.PHONY: all deps build windows test run lint clean

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

test: build
	ctest --preset default -j $(JOBS)

run: build
	@echo "The editors are not built yet; running the core tests instead."
	ctest --preset default -j $(JOBS)

lint: build
	./scripts/lint.sh

clean:
	rm -rf build
