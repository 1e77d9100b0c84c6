# Entry points: `make run` builds and runs the demo installer, `make test` builds
# and runs every test. Both install missing Debian packages first.
BUILD      ?= build
FUZZ_BUILD ?= build/fuzz
JOBS       ?= $(shell nproc)

.PHONY: all setup configure build run test fuzz clean

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run-demo.sh $(BUILD)

test: build fuzz
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@ctest --test-dir $(FUZZ_BUILD) --output-on-failure -j $(JOBS)

# The fuzz targets need clang's libFuzzer, so they live in a build of their own.
fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DSSI_FUZZ=ON \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers

clean:
	rm -rf $(BUILD)
