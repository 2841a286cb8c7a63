# Quick start: `make run` starts the calculator, `make test` runs every test.
# Both install what is missing first (Debian 12, as root or through sudo).
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test package clean

all: build

deps:
	@sh scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display found: run it under a virtual one with 'xvfb-run $(BUILD)/pyrelon' (apt-get install xvfb)."; \
	  exit 1; \
	fi
	@$(BUILD)/pyrelon

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The Debian package, $(BUILD)/pyrelon_<version>_amd64.deb, from a Release build.
package: build
	@cd $(BUILD) && cpack -G DEB

clean:
	@rm -rf $(BUILD)
