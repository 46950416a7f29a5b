# Thin wrapper over the CMake presets. Each target first installs what its
# purpose needs and the machine lacks (scripts/install-deps.sh PURPOSE), so it
# works on a fresh machine: `make run` only what building and running need,
# `make test` the test tools as well.

.PHONY: all deps deps-test build run install test test-sanitize test-tsan test-release bench bench-cpu \
        goldens cross-check package icons format tidy clean web serve-web test-web bench-web web-picture

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
WEB_PORT ?= 8000
PREFIX ?= $(HOME)/.local
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

# Every program, its manual page, the desktop entry and icons under PREFIX.
install: deps
	cmake --preset release $(PROGRAMS_ONLY)
	cmake --build --preset release -j $(JOBS) --target glyphverse_programs
	cmake --install build/release --prefix "$(PREFIX)"

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
	cmake --build --preset release -j $(JOBS) --target glyphverse_bench glyphverse_hunt_bench
	./build/release/bin/glyphverse_bench
	./build/release/bin/glyphverse_hunt_bench

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

# The explorer as a static web site in build/web: index.html, its style and
# scripts, the WebAssembly. Any web server serves the folder as it is.
web:
	@$(DEPS) web
	cmake --preset emscripten
	cmake --build --preset emscripten -j $(JOBS) --target glyphverse-web

serve-web: web
	@echo "glyphverse in a browser: http://127.0.0.1:$(WEB_PORT)/  (Ctrl-C stops the server)"
	python3 -m http.server --bind 127.0.0.1 --directory build/web $(WEB_PORT)

# The browser build in Node and in headless Chromium, compared with the
# native dev build's tools.
test-web:
	@$(DEPS) test web-test
	cmake --preset emscripten
	cmake --build --preset emscripten -j $(JOBS)
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS) --target glyphverse-query glyphverse-snapshot
	npm ci --prefix tests/web --no-audit --no-fund
	ctest --preset emscripten

# The page's figures in headless Chromium: frame times, first picture, download.
bench-web: web
	@$(DEPS) web-test
	npm ci --prefix tests/web --no-audit --no-fund
	node bench/web_figures.mjs build/web

# Remakes docs/web.png and docs/phone.png, the README's pictures of the page
# in headless Chromium.
web-picture: web
	@$(DEPS) web-test
	npm ci --prefix tests/web --no-audit --no-fund
	node scripts/web-picture.mjs build/web docs/web.png
	node scripts/web-picture.mjs build/web docs/phone.png phone

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
