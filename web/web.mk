# The browser edition: the calculators compiled by Debian's emcc into one
# module, inlined with the page's script and styles into one HTML file.
#   make -f web/web.mk -j2 [WEB_BUILD=build-web]
# Also builds the native case runner of the differential check.
WEB_BUILD ?= build-web
ROOT := $(abspath $(dir $(lastword $(MAKEFILE_LIST)))/..)
OUT := $(abspath $(WEB_BUILD))

SOURCES := core/numbers.cpp core/outcome.cpp core/panel.cpp \
  units/pressure.cpp units/temperature.cpp \
  probes/carbon.cpp probes/nitriding.cpp probes/oxygen.cpp \
  combustion/lambda.cpp flow/orifice.cpp \
  shell/controls.cpp shell/help.cpp shell/logo.cpp shell/panels.cpp shell/presentation.cpp \
  shell/press.cpp shell/reading.cpp shell/results.cpp shell/shell.cpp \
  web/page_window.cpp web/page_api.cpp web/cases.cpp

# Emscripten's optimizer needs Debian's node modules (acorn); fast_float
# comes from /usr/include after Emscripten's own headers.
EMCC := NODE_PATH=/usr/share/nodejs emcc
EMFLAGS := -std=c++20 -Os -Wall -Wextra -I$(ROOT) -idirafter /usr/include
LINKFLAGS := -Os --bind -sMODULARIZE=1 -sEXPORT_NAME=PyrelonModule -sSINGLE_FILE=1 \
  -sENVIRONMENT=web,node -sFILESYSTEM=0 -sALLOW_MEMORY_GROWTH=1 -sDYNAMIC_EXECUTION=0

WASM_OBJECTS := $(patsubst %.cpp,$(OUT)/wasm/%.o,$(SOURCES) web/bindings.cpp)
NATIVE_OBJECTS := $(patsubst %.cpp,$(OUT)/native/%.o,$(SOURCES) web/tests/cases_main.cpp)

.PHONY: all
all: $(OUT)/pyrelon.html $(OUT)/manifest.webmanifest $(OUT)/sw.js $(OUT)/pyrelon-cases

$(OUT)/wasm/%.o: $(ROOT)/%.cpp
	@mkdir -p $(dir $@)
	$(EMCC) $(EMFLAGS) -MMD -MP -c $< -o $@

$(OUT)/native/%.o: $(ROOT)/%.cpp
	@mkdir -p $(dir $@)
	g++ -std=c++20 -O2 -Wall -Wextra -I$(ROOT) -MMD -MP -c $< -o $@

$(OUT)/pyrelon-module.js: $(WASM_OBJECTS)
	$(EMCC) $(LINKFLAGS) $^ -o $@

$(OUT)/pyrelon-cases: $(NATIVE_OBJECTS)
	g++ $^ -o $@

$(OUT)/pyrelon.html: $(OUT)/pyrelon-module.js $(ROOT)/web/page.html $(ROOT)/web/page.css \
    $(ROOT)/web/page.js $(ROOT)/web/assemble.js
	node $(ROOT)/web/assemble.js $(ROOT)/web $< $@

$(OUT)/manifest.webmanifest: $(ROOT)/web/manifest.webmanifest
	cp $< $@

$(OUT)/sw.js: $(ROOT)/web/sw.js
	cp $< $@

-include $(WASM_OBJECTS:.o=.d) $(NATIVE_OBJECTS:.o=.d)

all: $(OUT)/pyrelon-icon.svg
$(OUT)/pyrelon-icon.svg: $(ROOT)/web/icon.svg
	cp $< $@
