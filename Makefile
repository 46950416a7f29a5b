# Thin wrapper over the CMake presets. Each target first installs what its
# purpose needs and the machine lacks (scripts/install-deps.sh PURPOSE), so it
# works on a fresh machine: `make run` only what building and running need,
# `make test` the test tools as well.

.PHONY: all deps deps-test build run test test-sanitize test-tsan test-release bench bench-cpu goldens \
        cross-check package icons format tidy clean

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
DEPS = bash scripts/install-deps.sh
# Running and packaging need neither GoogleTest nor Google Benchmark: they
# configure the release build without its tests and benchmarks, which the
# release preset turns on again for `make bench` and `make test-release`.
PROGRAMS_ONLY = -DGLYPHVERSE_TESTS=OFF -DGLYPHVERSE_BENCH=OFF

all: build

deps:
	@$(DEPS) run

deps-test:
	@$(DEPS) test

build: deps-test
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

run: deps
	cmake --preset release $(PROGRAMS_ONLY)
	cmake --build --preset release -j $(JOBS) --target glyphverse
	./build/release/bin/glyphverse

test: build
	ctest --preset dev -j $(JOBS)

test-sanitize: deps-test
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

# The code that runs on several threads, under ThreadSanitizer.
test-tsan: deps-test
	cmake --preset tsan
	cmake --build --preset tsan -j $(JOBS)
	ctest --preset tsan -j $(JOBS)

test-release: deps-test
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	ctest --preset release -j $(JOBS)

bench: deps-test
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target glyphverse_bench
	./build/release/bin/glyphverse_bench

# The release explorer in Xvfb, standing still and scrolling: CPU share and frame rates.
bench-cpu: deps-test
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target glyphverse glyphverse-snapshot
	bash bench/cpu_under_xvfb.sh build/release/bin/glyphverse

# The same answers and frames from clang and from an aarch64 cross build run
# under qemu as from the native release build.
cross-check:
	@$(DEPS) test cross
	bash tests/cross_build_check.sh build/release build/clang build/aarch64

# A Debian package of the release build's programs, in build/package.
package:
	@$(DEPS) package
	cmake --preset release $(PROGRAMS_ONLY)
	cmake --build --preset release -j $(JOBS) --target glyphverse_programs
	cpack --preset deb

# Remakes the golden frames of tests/golden: only when a picture change is intended.
goldens: build
	bash scripts/update-goldens.sh build/dev/bin/glyphverse-snapshot

# Remakes the icons in data/icons from a frame of the universe.
icons: build
	bash scripts/make-icons.sh build/dev/bin/glyphverse-snapshot

SOURCES = $(shell git ls-files '*.cpp' '*.h')

format:
	@$(DEPS) lint
	clang-format -i $(SOURCES)

tidy: build
	@$(DEPS) lint
	clang-tidy -p build/dev --quiet $(filter %.cpp,$(SOURCES))

clean:
	rm -rf build
