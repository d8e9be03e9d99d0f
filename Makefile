# Quick start: `make run` and `make test`. Both install what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
EXAMPLE    ?= examples/type4.lin

CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOTELAN_WERROR=ON

FUZZ_BUILD ?= build-fuzz-asan

.PHONY: all deps configure build run run-cli package install screenshots test test-fast bench fuzz-session clean

all: build

deps:
	@tools/install-deps.sh test

configure:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

# Builds only the program it runs (not the tests). Without a display it says
# so and shows what the engine computes instead: the numeric table of an
# example through potelan-cli.
run:
	@tools/install-deps.sh run
	@$(MAKE) --no-print-directory configure
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  cmake --build $(BUILD) -j $(JOBS) --target potelan && ./$(BUILD)/src/app/potelan; \
	else \
	  cmake --build $(BUILD) -j $(JOBS) --target potelan-cli && \
	  echo "No display here (DISPLAY and WAYLAND_DISPLAY are unset), so the windows cannot open; this is what the engine computes for $(EXAMPLE):" && \
	  ./$(BUILD)/src/cli/potelan-cli sweep $(EXAMPLE) --format table; \
	fi

# The engine alone: sweep an example and print the numeric table.
run-cli:
	@tools/install-deps.sh run
	@$(MAKE) --no-print-directory configure
	cmake --build $(BUILD) -j $(JOBS) --target potelan-cli
	./$(BUILD)/src/cli/potelan-cli sweep $(EXAMPLE) --format table

# The Debian package, into $(BUILD)/potelan_VERSION_ARCH.deb, checked by
# lintian (no error, no warning; it only reads the package, so root may run it).
package: build
	@tools/install-deps.sh package
	cmake --build $(BUILD) --target package
	lintian $$([ "$$(id -u)" -eq 0 ] && echo --allow-root) --fail-on error,warning $$(ls -t $(BUILD)/potelan_*.deb | head -1)

# Installs under PREFIX (default /usr/local); DESTDIR works as usual.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Screenshots of every window under Xvfb, into screenshots/.
screenshots: build
	@tools/install-deps.sh screenshots
	tools/screenshots.sh $(BUILD) screenshots

# Every test (but the long run of the randomised session test, label "long":
# see fuzz-session), then the engine's tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -LE long
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DPOTELAN_WERROR=ON \
	  -DPOTELAN_SANITIZE=ON -DPOTELAN_ENGINE_ONLY=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The normal build's tests only.
test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -LE long

# The long run of the randomised session test: many seeded sessions of the
# whole program under AddressSanitizer and UndefinedBehaviorSanitizer.
# POTELAN_FUZZ_SEED, POTELAN_FUZZ_SESSIONS and POTELAN_FUZZ_COMMANDS
# choose the run; a failure prints the seed and the commands that replay it.
fuzz-session: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOTELAN_WERROR=ON \
	  -DPOTELAN_SANITIZE=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target potelan_session_fuzz_tests
	ctest --test-dir $(FUZZ_BUILD) --output-on-failure -L long

# Release build of bench/, then the engine's benchmarks, the design
# assistant's and the windows' (these drive the desktop program offscreen).
bench:
	@tools/install-deps.sh bench
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DPOTELAN_WERROR=ON \
	  -DPOTELAN_BENCH=ON -DBUILD_TESTING=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bench/potelan_bench
	$(BENCH_BUILD)/bench/potelan_assist_bench
	$(BENCH_BUILD)/bench/potelan_views_bench
	$(BENCH_BUILD)/bench/potelan_assistui_bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
