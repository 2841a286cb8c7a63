# Quick start: `make run` starts the calculator, `make test` runs every test.
# Both install what is missing first (Debian 12, as root or through sudo):
# `make run` what the window needs, `make test` everything.
# The builds' own makes say nothing of the folders they enter.
MAKEFLAGS += --no-print-directory
BUILD ?= build
JOBS ?= $(shell nproc)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
BENCH_BUILD ?= build-bench
STARTUP_BUILD ?= build-startup
WEB_BUILD ?= build-web
STARTUP_RUNS ?= 30
FUZZ_SECONDS ?= 30
# ON makes every compiler warning an error; CI sets it.
WERROR ?= OFF
# Under CI (CI set, as .ci/run does) a tool some tests need is required:
# missing, it fails the build instead of leaving those tests out.
ifneq ($(CI),)
REQUIRE_TOOLS ?= ON
else
REQUIRE_TOOLS ?= OFF
endif
CONFIGURE = cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DPYRELON_WERROR=$(WERROR) \
  -DPYRELON_REQUIRE_TOOLS=$(REQUIRE_TOOLS) -DPYRELON_WEB_BUILD=$(abspath $(WEB_BUILD))

.PHONY: all deps deps-window deps-web configure build run test web web-for-tests package sanitize \
  fuzz bench csv-bench bench-cli startup-bench tidy format format-check clean

all: build

# Everything: the build, the tests, the browser edition, the fuzzers, the package.
deps:
	@sh scripts/install-deps.sh all

deps-window:
	@sh scripts/install-deps.sh window

deps-web:
	@sh scripts/install-deps.sh web

configure: deps
	@$(CONFIGURE)

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only the window and what it needs.
run: deps-window
	@$(CONFIGURE)
	@cmake --build $(BUILD) -j $(JOBS) --target pyrelon
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display found: run it under a virtual one with 'xvfb-run $(BUILD)/pyrelon' (apt-get install xvfb)."; \
	  exit 1; \
	fi
	@$(BUILD)/pyrelon

test: build web-for-tests
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The browser edition: $(WEB_BUILD)/pyrelon.html, one file with the
# calculators compiled to WebAssembly inside, with the web app manifest, the
# service worker and the icon beside it; the same CMake libraries as the
# native build, compiled by Debian's emscripten (see the README).
web: deps-web
	@emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=MinSizeRel -DPYRELON_WERROR=$(WERROR)
	@cmake --build $(WEB_BUILD) -j $(JOBS)

# The browser edition for its tests, where emscripten is installed (always
# under CI).
web-for-tests:
	@if [ "$(REQUIRE_TOOLS)" = ON ] || command -v emcmake >/dev/null 2>&1; then \
	  $(MAKE) --no-print-directory web; \
	else \
	  echo "The browser edition is not built: emscripten (emcmake) is missing"; \
	fi

# The Debian package, $(BUILD)/pyrelon_<version>_amd64.deb, from a Release build.
package: build
	@cd $(BUILD) && cpack -G DEB

# Every test again, the window tests included, built with AddressSanitizer
# and UndefinedBehaviorSanitizer; Qt runs clean under LeakSanitizer on the
# offscreen platform, so nothing is suppressed.
sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
	  -DPYRELON_SANITIZE=ON -DPYRELON_WERROR=$(WERROR) -DPYRELON_REQUIRE_TOOLS=$(REQUIRE_TOOLS)
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The libFuzzer targets (clang), each run for $(FUZZ_SECONDS) s on a copy of
# its seed corpus in fuzz/corpus/.
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DPYRELON_BUILD_GUI=OFF -DPYRELON_BUILD_TESTS=OFF -DPYRELON_BUILD_FUZZERS=ON \
	  -DPYRELON_WERROR=$(WERROR)
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@sh fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The micro-benchmarks, from a Release build (figures in bench/RESULTS.md).
bench: deps
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DPYRELON_BUILD_GUI=OFF -DPYRELON_BUILD_TESTS=OFF -DPYRELON_BUILD_BENCHMARKS=ON
	@cmake --build $(BENCH_BUILD) -j $(JOBS)
	@$(BENCH_BUILD)/bench/pyrelon_bench

# The CSV reader against libcsv on a generated 2-million-row file, with
# `cat file > /dev/null` as the floor, from a Release build (figures in cli/CSV.md).
csv-bench: deps
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DPYRELON_BUILD_GUI=OFF -DPYRELON_BUILD_TESTS=OFF -DPYRELON_BUILD_BENCHMARKS=ON
	@cmake --build $(BENCH_BUILD) -j $(JOBS) --target pyrelon_csv_bench
	@$(BENCH_BUILD)/bench/csv/pyrelon_csv_bench 2000000 /tmp/pyrelon-csv-bench.csv 7

# pyrelon-cli's batch mode over 2 million carbon-probe readings, beside cat
# and a pandas script (figures in the README).
BENCH_CLI_ROWS ?= 2000000
bench-cli: deps
	@for p in python3-pandas time; do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | \
	  grep -q "install ok installed" || missing="$$missing $$p"; done; \
	  if [ -n "$$missing" ]; then $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; fi
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DPYRELON_BUILD_GUI=OFF -DPYRELON_BUILD_TESTS=OFF
	@cmake --build $(BENCH_BUILD) -j $(JOBS) --target pyrelon-cli
	@sh bench/cli/run.sh $(BENCH_BUILD) $(BENCH_CLI_ROWS)

# The calculator's start-up against a bare window, from a Release build
# (figures in bench/startup/RESULTS.md).
startup-bench: deps
	@cmake -S . -B $(STARTUP_BUILD) -DCMAKE_BUILD_TYPE=Release -DPYRELON_BUILD_BENCHMARKS=ON
	@cmake --build $(STARTUP_BUILD) -j $(JOBS) --target pyrelon_startup_probe pyrelon_startup_floor \
	  pyrelon_startup_timer
	@sh bench/startup/run.sh $(STARTUP_BUILD) $(STARTUP_RUNS)

# clang-tidy over the product's sources, with the checks of .clang-tidy.
tidy: configure
	@run-clang-tidy -quiet -p $(BUILD) '/(core|units|probes|combustion|flow|atmosphere|chart|shell|qt|cli|web)/[^/]*\.cpp$$'

# clang-format over every C++ file, in place; format-check fails on a file
# it would change (CI).
format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	@rm -rf $(BUILD) $(WEB_BUILD)
