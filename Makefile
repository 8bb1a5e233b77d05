# make run   - set up, build and open the window
# make test  - set up, build and run every test headless (and again under the sanitizers)
# make bench - the benchmarks, each as a ratio to its floor
# make fuzz  - the fuzz targets, FUZZ_SECONDS each

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
BENCH_DIR ?= build-bench
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

BUILD_PACKAGES = cmake make g++ pkg-config libgl-dev qt6-base-dev libpugixml-dev libgtest-dev nlohmann-json3-dev
BENCH_PACKAGES = libbenchmark-dev
FUZZ_PACKAGES = clang libclang-rt-14-dev

.PHONY: all deps build run test check test-sanitize bench fuzz format

all: build

deps:
	@scripts/install-deps.sh $(BUILD_PACKAGES)

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
		echo "make run: there is no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset)."; \
		exit 1; \
	fi
	$(BUILD_DIR)/src/app/velto-configurator

check: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) --output-on-failure -j$(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DVELTO_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j$(JOBS)
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
		ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j$(JOBS)

test: check test-sanitize

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
