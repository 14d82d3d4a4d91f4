# The two commands a newcomer needs: `make run` and `make test`.
# The deliverables are 32-bit ($(BUILD)); the same sources build a 64-bit
# twin ($(BUILD64)) that the tests run too, natively on every host.
BUILD ?= build
BUILD64 ?= $(BUILD)/x64
TOOLCHAIN := cmake/toolchain-i686-mingw.cmake
TOOLCHAIN64 := cmake/toolchain-x86_64-mingw.cmake
CMAKE_FLAGS ?=
# make run EMULATE32=1: the 32-bit deliverable even where the host runs it
# only emulated (minutes before the window shows).
EMULATE32 ?=

.PHONY: all deps configure build dist installer run test bench clean

all: dist

deps:
	@scripts/install-deps.sh

configure: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	@[ -f $(BUILD64)/CMakeCache.txt ] || cmake -S . -B $(BUILD64) -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN64) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j2
	cmake --build $(BUILD64) -j2

dist: build
	cmake --build $(BUILD) --target dist
	cmake --build $(BUILD64) --target dist

run: dist
	VELMORA_EMULATE32=$(EMULATE32) scripts/run.sh $(BUILD) $(BUILD64)

# The set-up, the builds and the suites, each timed; test.sh builds what the
# host's path runs and boots the test prefixes while the code compiles.
test:
	scripts/test.sh $(BUILD) $(BUILD64)

bench: dist
	scripts/bench.sh $(BUILD) $(BUILD64)

clean:
	rm -rf $(BUILD) dist

installer: build
	cmake --build $(BUILD) --target installer
