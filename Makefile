# The two commands a newcomer needs: `make run` and `make test`.
BUILD ?= build
TOOLCHAIN := cmake/toolchain-i686-mingw.cmake
CMAKE_FLAGS ?=

.PHONY: all deps configure build dist installer run test bench clean

all: dist

deps:
	@scripts/install-deps.sh

configure: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j2

dist: build
	cmake --build $(BUILD) --target dist

run: dist
	scripts/run.sh $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure

bench: dist
	scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) dist

installer: build
	cmake --build $(BUILD) --target installer
