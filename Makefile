# Front door for people; the build itself is CMake. Every target installs the
# Debian packages it needs when they are missing (as root), or prints the
# apt-get line to run.

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local
# How long `make bench` soaks the program against simulated receivers, and
# how long it then runs the program beside its floor.
# At SPEED above 1 the soak's run goes that many times as fast: MINUTES=24
# SPEED=15 is six hours of polling.
MINUTES ?= 10
SPEED ?= 1
SIDE_SECONDS ?= 120

PACKAGES_BUILD := cmake make g++ qt6-base-dev qt6-serialport-dev qt6-svg-dev fonts-dejavu-core
# The Windows build: the cross compiler, Debian's host Qt tools for the
# cross-built Qt, and makensis for the installer.
PACKAGES_WINDOWS := cmake g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools \
                    ninja-build dpkg-dev xz-utils nsis
PACKAGES_TEST := $(PACKAGES_BUILD) $(PACKAGES_WINDOWS) wine64 icoutils clang libclang-rt-14-dev clang-format \
                 desktop-file-utils appstream python3 dbus-daemon python3-dbusmock \
                 xvfb openbox xdotool xclip x11-utils at-spi2-core dbus-x11 \
                 weston qt6-wayland \
                 python3-pyatspi imagemagick libfaketime lintian

.PHONY: all build build-release run demo test bench install package windows deps-build deps-test \
        deps-windows format clean

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

deps-windows:
	$(call ensure_packages,$(PACKAGES_WINDOWS))

build: deps-build
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

run: deps-build
	cmake --preset default
	cmake --build --preset default -j $(JOBS) --target Dunmerrow Dunmerrow-results
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
# under AddressSanitizer + UBSan with clang, and the fuzzers for a bounded
# time, then the Windows program under Wine (see `windows`).
test: deps-test
	cmake --preset default
	cmake --build --preset default -j $(JOBS)
	ctest --preset default -j $(JOBS)
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)
	$(MAKE) windows
	ctest --preset windows -j $(JOBS)

# Measurements, not tests: the run's CPU cost with the engine alone, then
# with a traffic trace, the results window over a 100,000-line log, then the real dialog offscreen
# against four simulated receivers for $(MINUTES) minutes, watched for CPU,
# memory and cycle length; then the program on a desktop beside its floor, a
# bare Qt dialog polling the same way, for $(SIDE_SECONDS) seconds, and both
# started in turn until their windows show.
bench: build
	./build/bench/bench_run_cpu
	rm -f build/bench/run-trace.txt
	./build/bench/bench_run_cpu 60 build/bench/run-trace.txt
	./build/bench/bench_results_load
	bench/soak.sh build $(MINUTES) $(SPEED)
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

# Dunmerrow for 64-bit Windows, cross-built: the portable zip and the
# installer in build-windows/packages/. The first time on a machine this
# builds Qt for Windows from Debian's source, about half an hour, into a
# cache outside the tree that every later build reuses.
windows: deps-windows
	qt="$$(tools/windows/build-cross-qt.sh)" && \
	    DUNMERROW_WINDOWS_QT="$$qt" cmake --preset windows
	cmake --build --preset windows -j $(JOBS)
	cd build-windows && cpack

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-release build-windows
