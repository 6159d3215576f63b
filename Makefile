# Set-up, build, run and test on Debian 12.
#   make run    installs what is missing, builds and starts the program
#   make test   installs what is missing, builds and runs every test

BUILD_DIR ?= build
JOBS ?= $(shell nproc)
PACKAGES := g++ cmake make qt6-base-dev qt6-qpa-plugins libgtest-dev libbenchmark-dev \
            fonts-ipafont-gothic qt6-translations-l10n libtinygltf-dev nlohmann-json3-dev \
            libstb-dev nodejs npm
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps build run test bench asan clean format

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
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR)/program && ./puffel

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

bench: build
	$(BUILD_DIR)/bench/puffel_bench

# The tests under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	cmake -S . -B $(BUILD_DIR)-asan -DCMAKE_BUILD_TYPE=Debug -DPUFFEL_ASAN=ON -DPUFFEL_BENCH=OFF
	cmake --build $(BUILD_DIR)-asan -j $(JOBS)
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --test-dir $(BUILD_DIR)-asan --output-on-failure -j $(JOBS)

# The pictures at the top of README.md, from the program itself, and what
# tools/readme_pictures.sh needs to make them.
PICTURE_PACKAGES := xvfb openbox xdotool x11-apps x11-utils imagemagick
.PHONY: readme-pictures figure-picture
readme-pictures: build
	$(MAKE) deps PACKAGES="$(PICTURE_PACKAGES)"
	tools/readme_pictures.sh $(BUILD_DIR)

# The readme's picture of an exported figure, rendered by three.js in headless
# Chromium (a developer's tool, not part of the tests).
figure-picture: build
	@dpkg-query -W -f='$${Status}\n' chromium 2>/dev/null | grep -q '^install ok installed' || \
	  ($(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y chromium)
	tools/figure_picture/make_picture.sh $(BUILD_DIR)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-asan
