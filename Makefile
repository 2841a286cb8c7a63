# Quick start: `make run` starts the calculator, `make test` runs every test.
# Both install what is missing first (Debian 12, as root or through sudo).
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

.PHONY: all deps configure build run test web package sanitize fuzz bench csv-bench bench-cli startup-bench tidy format clean

all: build

deps:
	@sh scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DPYRELON_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display found: run it under a virtual one with 'xvfb-run $(BUILD)/pyrelon' (apt-get install xvfb)."; \
	  exit 1; \
	fi
	@$(BUILD)/pyrelon

test: build web
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The browser edition: $(WEB_BUILD)/pyrelon.html, one file with the
# calculators compiled to WebAssembly inside, with the web app manifest and
# the service worker beside it (Debian's emscripten; see the README).
web: deps
	@$(MAKE) -s -f web/web.mk -j 2 WEB_BUILD=$(WEB_BUILD)

# The Debian package, $(BUILD)/pyrelon_<version>_amd64.deb, from a Release build.
package: build
	@cd $(BUILD) && cpack -G DEB

# Every test again, the window tests included, built with AddressSanitizer
# and UndefinedBehaviorSanitizer; Qt runs clean under LeakSanitizer on the
# offscreen platform, so nothing is suppressed.
sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
	  -DPYRELON_SANITIZE=ON -DPYRELON_WERROR=$(WERROR) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The libFuzzer targets (clang), each run for $(FUZZ_SECONDS) s on a copy of
# its seed corpus in fuzz/corpus/.
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DPYRELON_BUILD_GUI=OFF -DPYRELON_BUILD_TESTS=OFF -DPYRELON_BUILD_FUZZERS=ON \
	  -DPYRELON_WERROR=$(WERROR) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@sh fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The micro-benchmarks, from a Release build (figures in bench/RESULTS.md).
bench: deps
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DPYRELON_BUILD_GUI=OFF -DPYRELON_BUILD_TESTS=OFF -DPYRELON_BUILD_BENCHMARKS=ON >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS)
	@$(BENCH_BUILD)/bench/pyrelon_bench

# The CSV reader against libcsv on a generated 2-million-row file, with
# `cat file > /dev/null` as the floor, from a Release build (figures in cli/CSV.md).
csv-bench: deps
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DPYRELON_BUILD_GUI=OFF -DPYRELON_BUILD_TESTS=OFF -DPYRELON_BUILD_BENCHMARKS=ON >/dev/null
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
	  -DPYRELON_BUILD_GUI=OFF -DPYRELON_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS) --target pyrelon-cli
	@sh bench/cli/run.sh $(BENCH_BUILD) $(BENCH_CLI_ROWS)

# The calculator's start-up against a bare window, from a Release build
# (figures in bench/startup/RESULTS.md).
startup-bench: deps
	@cmake -S . -B $(STARTUP_BUILD) -DCMAKE_BUILD_TYPE=Release -DPYRELON_BUILD_BENCHMARKS=ON >/dev/null
	@cmake --build $(STARTUP_BUILD) -j $(JOBS) --target pyrelon_startup_probe pyrelon_startup_floor \
	  pyrelon_startup_timer
	@sh bench/startup/run.sh $(STARTUP_BUILD) $(STARTUP_RUNS)

# clang-tidy over the product's sources, with the checks of .clang-tidy.
tidy: configure
	@run-clang-tidy -quiet -p $(BUILD) '/(core|units|probes|combustion|flow|chart|shell|qt|cli)/[^/]*\.cpp$$'

# clang-format over every C++ file, in place.
format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(WEB_BUILD)
