# Entry points: `make run` builds and runs the demo installer, `make test` builds
# and runs every test. Both install missing Debian packages first.
BUILD      ?= build
ASAN_BUILD ?= build/asan
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local

.PHONY: all setup configure build run test test-desktop sanitize fuzz fuzz-long install package clean

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run-demo.sh $(BUILD)

test: build sanitize
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	    ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The suite once more as from a desktop terminal (a live DISPLAY, a bogus
# WAYLAND_DISPLAY, no HOME, a TMPDIR that names nothing): every test must set
# up the surroundings it needs.
test-desktop: build
	@bash scripts/test-on-desktop.sh $(BUILD)

# The sanitizer build optimises less and keeps only line tables: it is built
# on every run of the tests, and its stack traces need no more.
CHECK_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" \
    "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"

# Every test again, built with clang's address and undefined-behaviour
# sanitizers: memory faults fail the run instead of passing by luck. The same
# tree builds the libFuzzer targets (they need clang), which its tests run
# for a bounded time each.
sanitize: setup
	@CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -G Ninja -DSSI_SANITIZE=ON -DSSI_FUZZ=ON \
	    $(CHECK_FLAGS)
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

# Only the fuzz targets, in the sanitizer tree.
fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -G Ninja -DSSI_SANITIZE=ON -DSSI_FUZZ=ON \
	    $(CHECK_FLAGS)
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target fuzzers

# Every fuzz target for FUZZ_MINUTES minutes, one after the other, with the
# executions each reached at the end (FUZZ_TARGETS="a b" runs only those).
FUZZ_MINUTES ?= 10
fuzz-long: fuzz
	@bash scripts/fuzz-long.sh $(ASAN_BUILD) $(FUZZ_MINUTES) $(FUZZ_TARGETS)

# The programs, the installer stub, the manual pages and the skin library
# with its CMake package, below PREFIX (DESTDIR is honoured).
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX) --strip

# The same as a Debian package, in $(BUILD)/packaging/.
package: build
	@cd $(BUILD) && cpack --config packaging/CPackConfig.cmake -G DEB

clean:
	rm -rf $(BUILD)
