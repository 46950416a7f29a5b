# Thin wrapper over the CMake presets. `make run` and `make test` install what
# is missing first (scripts/install-deps.sh), so they work on a fresh machine.

.PHONY: all deps build run test test-sanitize test-release bench goldens format tidy clean

JOBS ?= $(shell nproc 2>/dev/null || echo 2)

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

run: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target glyphverse
	./build/release/bin/glyphverse

test: build
	ctest --preset dev -j $(JOBS)

test-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

test-release: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	ctest --preset release -j $(JOBS)

bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target glyphverse_bench
	./build/release/bin/glyphverse_bench

# Remakes the golden frames of tests/golden: only when a picture change is intended.
goldens: build
	bash scripts/update-goldens.sh build/dev/bin/glyphverse-snapshot

SOURCES = $(shell git ls-files '*.cpp' '*.h')

format:
	clang-format -i $(SOURCES)

tidy: build
	clang-tidy -p build/dev --quiet $(filter %.cpp,$(SOURCES))

clean:
	rm -rf build
