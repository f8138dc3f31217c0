# The README's commands. Builds go to build/ (tests and run), build-asan/ and build-bench/.
JOBS ?= 2
CMAKE ?= cmake
CPACK ?= cpack
# "make install" puts the program, manual pages and examples under PREFIX,
# inside DESTDIR when that is given (for packaging).
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all build run test asan bench install deb clean

all: build

build:
	$(CMAKE) -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	$(CMAKE) --build build -j$(JOBS)

# The example node: a freshly generated sample outbound, reported on the console.
run: build
	examples/make_outbound.sh
	cd examples && ../build/zeb /c $(CURDIR)/examples/zeb.ctl

test: build
	cd build && ctest --output-on-failure -j$(JOBS)

asan:
	$(CMAKE) -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZEB_SANITIZE=ON >/dev/null
	$(CMAKE) --build build-asan -j$(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j$(JOBS)

bench:
	$(CMAKE) -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DZEB_BENCH=ON >/dev/null
	$(CMAKE) --build build-bench -j$(JOBS)
	@if [ -x build-bench/zeb_bench ]; then build-bench/zeb_bench; fi

install: build
	DESTDIR="$(DESTDIR)" $(CMAKE) --install build --prefix "$(PREFIX)"

# A Debian package of the same files, installed under /usr: build/zeb_*.deb.
deb: build
	cd build && $(CPACK) -G DEB

clean:
	rm -rf build build-asan build-bench
