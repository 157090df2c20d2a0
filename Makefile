# `make run` and `make test` each do the whole set-up: packages, configure, build.
BUILD     ?= build
SAN_BUILD ?= build-san
CMAKE_FLAGS ?=
ifneq ($(CI),)
CMAKE_FLAGS += -DZEMBLOR_WERROR=ON
endif

.PHONY: all deps build run demo timing package test test-sanitize cross web web-run web-timing parity fuzz bench format clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)

# The build tree's program folder holds its pictures, sounds and documents, as installed.
run: build
	"$(abspath $(BUILD))/app/zemblor"

demo: build
	$(BUILD)/tools/headless/zemblor-headless --seed 1 --clock "2026-12-08 09:41" tools/headless/demo.script

# A Debian package of the program in build/ (zemblor_5.00_<arch>.deb).
package: build
	cd $(BUILD) && cpack

test: build web
	ctest --test-dir $(BUILD) --output-on-failure
	cd web && node --test test/ browser-test/

test-sanitize: deps
	@cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEMBLOR_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(SAN_BUILD)
	ctest --test-dir $(SAN_BUILD) --output-on-failure

cross: deps
	@scripts/cross-check

# The browser edition's core and the runner for node (WebAssembly, emscripten) in build-web/.
# Debian's emscripten finds its JavaScript optimizer's modules through NODE_PATH.
WEB_BUILD ?= build-web
web: deps
	@NODE_PATH=/usr/share/nodejs emcmake cmake -S web -B $(WEB_BUILD) -G Ninja >/dev/null
	@NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD) --parallel 2

# Serves the site on http://localhost:8000/ (Python's server knows .wasm).
web-run: web
	@echo "The browser edition: http://localhost:8000/"
	cd $(WEB_BUILD)/site && python3 -m http.server 8000 --bind 127.0.0.1

# Download sizes, start-up times and timer lateness of the page in headless Chromium.
web-timing: web
	cd web && node browser-test/timing.mjs

# The runner's parity scripts through the native, WebAssembly and Windows runners.
parity: build web cross
	scripts/parity-check

fuzz: deps
	fuzz/run-fuzzers

bench: build
	$(BUILD)/bench/zemblor-bench

timing: build
	bench/timing/run-timing --exe "$(abspath $(BUILD))/app/zemblor" --bare "$(abspath $(BUILD))/bench/timing/zemblor-bare-window"

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(WEB_BUILD) build-cross
