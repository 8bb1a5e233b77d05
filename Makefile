# make run   - set up, build and open the window
# make test  - set up, build and run every test headless (and again under the sanitizers)
# make bench - the benchmarks, each as a ratio to its floor
# make fuzz  - the fuzz targets, FUZZ_SECONDS each
# make install / uninstall - under PREFIX (default /usr/local), honouring DESTDIR
# make package - the Debian package velto-configurator_VERSION_ARCH.deb here, checked by lintian
# make screenshots - every tab in both languages, with examples/villa.xml loaded, the compare view, and
#                    the first page of its report, into docs/
# make windows - cross-build for Windows with MinGW: velto-configurator-VERSION-setup.exe and
#                velto-configurator-VERSION-win64.zip here (builds Qt for MinGW once into ~/.cache/velto-windows);
#                signed with SIGN_PKCS12=FILE SIGN_PASSWORD_FILE=FILE [SIGN_TIMESTAMP_URL=URL]
# make test-windows - the same, signed with a throwaway certificate, then the tests under Wine, the
#                installer's among them

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
BENCH_DIR ?= build-bench
FUZZ_DIR ?= build-fuzz
PACKAGE_DIR ?= build-package
WINDOWS_DIR ?= build-windows
WINDOWS_GUI ?= ON
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)

BUILD_PACKAGES = cmake make g++ pkg-config libgl-dev qt6-base-dev libpugixml-dev libgtest-dev nlohmann-json3-dev libgcrypt20-dev \
	librsvg2-bin libxml2-utils poppler-utils \
	qt6-translations-l10n
BENCH_PACKAGES = libbenchmark-dev
FUZZ_PACKAGES = clang libclang-rt-14-dev
TEST_PACKAGES = desktop-file-utils appstream mandoc man-db acl
PACKAGE_PACKAGES = dpkg-dev file lintian
WINDOWS_PACKAGES = g++-mingw-w64-x86-64-posix wine wine64 ninja-build dpkg-dev fonts-dejavu-core imagemagick nsis \
	xvfb xauth x11-utils osslsigncode openssl \
	libgcrypt-mingw-w64-dev libgpg-error-mingw-w64-dev

.PHONY: all deps build run test check test-sanitize bench fuzz format install uninstall package screenshots \
	windows test-windows

all: build

deps:
	@scripts/install-deps.sh $(BUILD_PACKAGES) $(BENCH_PACKAGES)

$(BUILD_DIR)/CMakeCache.txt:
	@# The benchmarks are built with everything else, so that a change cannot leave them behind.
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTO_BENCH=ON

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
		echo "make run: there is no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset)."; \
		exit 1; \
	fi
	$(BUILD_DIR)/src/app/velto-configurator

check: build
	@scripts/install-deps.sh $(TEST_PACKAGES)
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) --output-on-failure -j$(JOBS)

test-sanitize: deps
	@scripts/install-deps.sh $(TEST_PACKAGES)
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DVELTO_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j$(JOBS)
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
		ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j$(JOBS)

test: check test-sanitize

bench: deps
	@scripts/install-deps.sh $(BENCH_PACKAGES)
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DVELTO_BENCH=ON -DVELTO_TESTS=OFF
	cmake --build $(BENCH_DIR) -j$(JOBS) --target velto_bench
	$(BENCH_DIR)/bench/velto_bench

fuzz: deps
	@scripts/install-deps.sh $(FUZZ_PACKAGES)
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DVELTO_FUZZ=ON -DVELTO_GUI=OFF -DVELTO_TESTS=OFF
	cmake --build $(FUZZ_DIR) -j$(JOBS)
	@for target in reader roundtrip numbers; do \
		mkdir -p fuzz/out/$$target fuzz/out/artifacts; \
		echo "== fuzz_$$target for $(FUZZ_SECONDS) s"; \
		$(FUZZ_DIR)/fuzz/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -max_len=8192 -timeout=10 \
			-dict=fuzz/xml.dict -artifact_prefix=fuzz/out/artifacts/ fuzz/out/$$target fuzz/corpus || exit 1; \
	done

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

uninstall:
	cmake --build $(BUILD_DIR) --target uninstall

screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/tools/screenshots/velto-screenshots examples/villa.xml docs
	pdftoppm -png -r 100 -f 1 -l 1 -singlefile docs/report.pdf docs/report && rm docs/report.pdf

# The Windows build, its installer and its zip. Its tests compare velto-conf.exe with the Linux build's.
VERSION := $(shell grep -oP '^project.velto-configurator VERSION \K[0-9.]+' CMakeLists.txt)
windows:
	@scripts/install-deps.sh $(WINDOWS_PACKAGES)
	JOBS=$(JOBS) scripts/windows/configure.sh $(WINDOWS_DIR) -DVELTO_GUI=$(WINDOWS_GUI) \
		-DVELTO_LINUX_VELTO_CONF=$(CURDIR)/$(BUILD_DIR)/src/cli/velto-conf \
		-DVELTO_SIGN_PKCS12=$(abspath $(SIGN_PKCS12)) -DVELTO_SIGN_PASSWORD_FILE=$(abspath $(SIGN_PASSWORD_FILE)) \
		-DVELTO_SIGN_TIMESTAMP_URL=$(SIGN_TIMESTAMP_URL)
	cmake --build $(WINDOWS_DIR) -j$(JOBS)
	@if [ "$(WINDOWS_GUI)" = ON ]; then \
		[ -n "$(SIGN_PKCS12)" ] || echo "make windows: no SIGN_PKCS12 given, so the programs and the installer are not signed"; \
		rm -f $(WINDOWS_DIR)/velto-configurator-$(VERSION)-*; \
		(cd $(WINDOWS_DIR) && cpack) && \
		cp $(WINDOWS_DIR)/velto-configurator-$(VERSION)-setup.exe $(WINDOWS_DIR)/velto-configurator-$(VERSION)-win64.zip .; \
	fi

# Signed with a throwaway certificate, which the tests verify the signatures against.
TEST_SIGNING = $(WINDOWS_DIR)/test-signing
test-windows: build
	@scripts/install-deps.sh $(WINDOWS_PACKAGES)
	scripts/windows/test-certificate.sh $(TEST_SIGNING)
	$(MAKE) windows SIGN_PKCS12=$(TEST_SIGNING)/certificate.p12 SIGN_PASSWORD_FILE=$(TEST_SIGNING)/password
	scripts/windows/test.sh $(WINDOWS_DIR) -j$(JOBS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# Built apart, with Debian's hardening flags and without the tests; the package is copied to this folder.
BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package: deps
	@scripts/install-deps.sh $(PACKAGE_PACKAGES)
	cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=Release -DVELTO_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr \
		-DCMAKE_CXX_FLAGS="$$($(BUILDFLAGS) CXXFLAGS) $$($(BUILDFLAGS) CPPFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)"
	rm -f $(PACKAGE_DIR)/*.deb
	cmake --build $(PACKAGE_DIR) -j$(JOBS) --target package
	cp $(PACKAGE_DIR)/*.deb .
	lintian --fail-on error,warning $(PACKAGE_DIR)/*.deb
