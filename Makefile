# Front door for people; the build itself is CMake. Every target installs the
# Debian packages it needs when they are missing (as root), or prints the
# apt-get line to run.

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local
# How long `make bench` soaks the program against simulated receivers, and
# how long it then runs the program beside its floor.
MINUTES ?= 10
SIDE_SECONDS ?= 120

PACKAGES_BUILD := cmake make g++ qt6-base-dev qt6-serialport-dev qt6-charts-dev qt6-svg-dev \
                  libqt6opengl6-dev libgl-dev fonts-dejavu-core
PACKAGES_TEST := $(PACKAGES_BUILD) clang libclang-rt-14-dev clang-format \
                 desktop-file-utils appstream python3 dbus-daemon python3-dbusmock \
                 xvfb openbox xdotool xclip x11-utils at-spi2-core dbus-x11 \
                 python3-pyatspi imagemagick libfaketime lintian

.PHONY: all build build-release run demo test bench install package deps-build deps-test format clean

all: build

# Installs the packages named in $(1) that dpkg does not know as installed.
define ensure_packages
	@command -v dpkg-query >/dev/null 2>&1 || exit 0; \
	missing=""; \
	for p in $(1); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	[ -z "$$missing" ] && exit 0; \
	if [ "$$(id -u)" -eq 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends$$missing; \
	else \
	    echo "These Debian packages are missing. Install them with:"; \
	    echo "    sudo apt-get install$$missing"; \
	    exit 1; \
	fi
endef

deps-build:
	$(call ensure_packages,$(PACKAGES_BUILD))

deps-test:
	$(call ensure_packages,$(PACKAGES_TEST))

build: deps-build
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

run: deps-build
	cmake --preset default
	cmake --build --preset default -j $(JOBS) --target Dunmerrow
	./build/ui/Dunmerrow

# A whole test without receivers: Dunmerrow's window against four simulated
# ones, in a scratch directory. Needs a desktop session, checked first so
# that nobody waits for a build that cannot be shown.
demo: deps-build
	@tools/demo/run-demo.sh --check-display
	cmake --preset default
	cmake --build --preset default -j $(JOBS) --target Dunmerrow gpssim
	tools/demo/run-demo.sh build

# Everything CI checks: the normal build and its tests, then the same tests
# under AddressSanitizer + UBSan with clang, and the fuzzers for a bounded time.
test: deps-test
	cmake --preset default
	cmake --build --preset default -j $(JOBS)
	ctest --preset default -j $(JOBS)
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# Measurements, not tests: the run's CPU cost with the engine alone, the
# results window over a 100,000-line log, then the real dialog offscreen
# against four simulated receivers for $(MINUTES) minutes, watched for CPU,
# memory and cycle length; then the program on a desktop beside its floor, a
# bare Qt dialog polling the same way, for $(SIDE_SECONDS) seconds, and both
# started in turn until their windows show.
bench: build
	./build/bench/bench_run_cpu
	./build/bench/bench_results_load
	bench/soak.sh build $(MINUTES)
	bench/side-by-side.sh build $(SIDE_SECONDS)
	bench/startup.sh build

# The program alone, optimised and without the tests and tools, in a build
# tree of its own, for installing and packaging.
build-release: deps-build
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

# Copies the program, its icons and its desktop files under $(PREFIX);
# DESTDIR, when set, is put in front of every path as usual.
install: build-release
	cmake --install build-release --prefix $(PREFIX) --strip

# A Debian package in build-release/packages/.
package: build-release
	cd build-release && cpack

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-release
