# Entry points: `make run` builds and runs the demo installer, `make test` builds
# and runs every test. Both install missing Debian packages first.
BUILD      ?= build
FUZZ_BUILD ?= build/fuzz
ASAN_BUILD ?= build/asan
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local

.PHONY: all setup configure build run test sanitize fuzz install package clean

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run-demo.sh $(BUILD)

test: build sanitize fuzz
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	    ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)
	@ctest --test-dir $(FUZZ_BUILD) --output-on-failure -j $(JOBS)

# The sanitizer and fuzz builds optimise less and keep only line tables: they
# are built on every run of the tests, and their stack traces need no more.
CHECK_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" \
    "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"

# Every test again, built with clang's address and undefined-behaviour
# sanitizers: memory faults fail the run instead of passing by luck.
sanitize: setup
	@CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -G Ninja -DSSI_SANITIZE=ON $(CHECK_FLAGS)
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

# The fuzz targets need clang's libFuzzer, so they live in a build of their own.
fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DSSI_FUZZ=ON $(CHECK_FLAGS)
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers

# The programs, the installer stub, the manual pages and the skin library
# with its CMake package, below PREFIX (DESTDIR is honoured).
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX) --strip

# The same as a Debian package, in $(BUILD)/packaging/.
package: build
	@cd $(BUILD) && cpack --config packaging/CPackConfig.cmake -G DEB

clean:
	rm -rf $(BUILD)
