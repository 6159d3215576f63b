# Set-up, build, run and test on Debian 12.
#   make run    installs what is missing, builds and starts the program
#   make test   installs what is missing, builds and runs every test, also under
#               the sanitizers, and runs each fuzzer for FUZZ_SECONDS
#   make deb    builds the Debian package build/puffel_VERSION_ARCH.deb and
#               checks it: lintian, the desktop entry, the metainfo, and its
#               programs run unpacked
#   make windows-test
#               builds the Windows programs and tests with the mingw-w64 cross
#               compiler and runs them under Wine

BUILD_DIR ?= build
SAN_DIR := $(BUILD_DIR)-san
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30
PACKAGES := g++ cmake make qt6-base-dev qt6-qpa-plugins libgtest-dev libbenchmark-dev \
            fonts-ipafont-gothic qt6-translations-l10n libtinygltf-dev nlohmann-json3-dev \
            libstb-dev nodejs npm clang libclang-rt-14-dev libgif-dev lib3mf-dev ccache
# What the tests use beyond the build: ImageMagick reads the picture files
# the picture reader's tests compare against.
TEST_PACKAGES := imagemagick
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# Every build tree compiles through ccache when it is there; with paths taken
# relative to the checkout, a fresh clone reuses what another one compiled.
LAUNCHER = $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR := $(CURDIR)

.PHONY: all deps build run test test-programs deb bench asan-build asan fuzz clean format windows windows-deps windows-test

all: build

# A package counts as there when it is installed or an installed package
# provides it (a Node.js build that brings its own npm, say).
deps:
	@provided=$$(dpkg-query -W -f='$${db:Status-Abbrev}|$${Provides}\n' 2>/dev/null | \
	    sed -n 's/^ii *|//p' | tr ',' '\n' | sed 's/(.*//; s/ //g'); \
	missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || \
	      echo "$$provided" | grep -qx "$$p" || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release $(LAUNCHER)

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR)/program && ./puffel

test: build
	$(MAKE) --no-print-directory deps PACKAGES="$(TEST_PACKAGES)"
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS) -LE package
	$(MAKE) --no-print-directory test-programs
	$(MAKE) --no-print-directory asan
	$(MAKE) --no-print-directory fuzz

# Each test program once more, whole, as a developer runs it by hand: what
# only shows when a program's tests share one process (threads started by
# one test and a later one's fork, say) shows here.
test-programs:
	cd $(BUILD_DIR)/tests && for t in ./*_tests; do \
	  echo "$$t"; $$t --gtest_brief=1 || exit 1; \
	done

# The Debian package, from the release build: CPack with dpkg-shlibdeps (of
# dpkg-dev, with file) for the dependencies, then its checks.
DEB_PACKAGES := dpkg-dev file lintian desktop-file-utils appstream
deb: build
	$(MAKE) --no-print-directory deps PACKAGES="$(DEB_PACKAGES)"
	ctest --test-dir $(BUILD_DIR) --output-on-failure -L package
	lintian --fail-on error $$(ls -t $(BUILD_DIR)/puffel_*.deb | head -n 1)
	desktop-file-validate packaging/puffel.desktop
	appstreamcli validate --no-net packaging/org.puffel.Puffel.metainfo.xml

bench: build
	$(BUILD_DIR)/bench/puffel_bench

# One clang build serves the tests under AddressSanitizer and
# UndefinedBehaviorSanitizer and the fuzzers.
$(SAN_DIR)/CMakeCache.txt:
	cmake -S . -B $(SAN_DIR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug $(LAUNCHER) \
	  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DPUFFEL_ASAN=ON -DPUFFEL_FUZZ=ON -DPUFFEL_BENCH=OFF \
	  -DPUFFEL_QT_ORACLE=OFF

asan-build: deps $(SAN_DIR)/CMakeCache.txt
	cmake --build $(SAN_DIR) -j $(JOBS)

asan: asan-build
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(SAN_DIR) --output-on-failure -j $(JOBS)

# Each fuzzer in turn for FUZZ_SECONDS; what fails is kept in tests/data/fuzz/.
fuzz: asan-build
	FUZZ_SECONDS=$(FUZZ_SECONDS) cmake --build $(SAN_DIR) --target fuzz -j 1

# The Windows build: puffel.exe, puffel-batch.exe, puffel-export.exe and the
# program folder in $(WIN_DIR)/program, packed as $(WIN_DIR)/Puffel-win64.zip,
# the test programs in $(WIN_DIR), every .exe linked statically. Whatever runs them (the build's own tool runs and the tests) runs
# under Wine, headless, in a Wine prefix of the build folder's own.
WIN_DIR := $(BUILD_DIR)-windows
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix wine wine64
# What the desktop test of puffel.exe uses: a virtual screen, a window
# manager, the X tools that drive and look at it, and ImageMagick for its
# screenshot.
WINDOWS_TEST_PACKAGES := xvfb openbox xdotool x11-apps x11-utils imagemagick
windows windows-test: export WINEPREFIX := $(CURDIR)/$(WIN_DIR)/wine-prefix

windows-deps: deps
	$(MAKE) --no-print-directory deps PACKAGES="$(WINDOWS_PACKAGES)"

$(WIN_DIR)/CMakeCache.txt: | windows-deps
	cmake -S . -B $(WIN_DIR) -DCMAKE_TOOLCHAIN_FILE=tools/windows/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DPUFFEL_GUI=OFF -DPUFFEL_BENCH=OFF $(LAUNCHER)

windows: windows-deps $(WIN_DIR)/CMakeCache.txt
	cmake --build $(WIN_DIR) -j $(JOBS)

# The test programs under Wine, then the checks that need the Linux build:
# projects made on one system open on the other, and the glTF validator
# passes the models the Windows programs write; last puffel.exe itself on a
# virtual desktop.
windows-test: windows build
	$(MAKE) --no-print-directory deps PACKAGES="$(WINDOWS_TEST_PACKAGES)"
	ctest --test-dir $(WIN_DIR) --output-on-failure -j $(JOBS) --timeout 300
	tools/windows/cross_checks.sh $(BUILD_DIR) $(WIN_DIR)
	tools/windows/desktop_test.sh $(WIN_DIR)

# The pictures at the top of README.md, from the program itself, and what
# tools/readme_pictures.sh needs to make them.
PICTURE_PACKAGES := xvfb openbox xdotool x11-apps x11-utils imagemagick
.PHONY: readme-pictures figure-picture sheet-engine-check
readme-pictures: build
	$(MAKE) deps PACKAGES="$(PICTURE_PACKAGES)"
	tools/readme_pictures.sh $(BUILD_DIR)

# The readme's picture of an exported figure, rendered by three.js in headless
# Chromium (a developer's tool, not part of the tests).
figure-picture: build
	@dpkg-query -W -f='$${Status}\n' chromium 2>/dev/null | grep -q '^install ok installed' || \
	  ($(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y chromium)
	tools/figure_picture/make_picture.sh $(BUILD_DIR)

# A frame of the sample cat's sprite sheet drawn by a 2D game framework in
# headless Chromium, compared with the view (a developer's tool, not a test).
sheet-engine-check: build
	@dpkg-query -W -f='$${Status}\n' chromium 2>/dev/null | grep -q '^install ok installed' || \
	  ($(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y chromium)
	tools/sheet_engine_check/check.sh $(BUILD_DIR)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) $(SAN_DIR) $(WIN_DIR)
