# The README's commands. Builds go to build/ (tests and run), build-asan/ and build-bench/.
JOBS ?= 2
CMAKE ?= cmake

.PHONY: all build run test asan bench clean

all: build

build:
	$(CMAKE) -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	$(CMAKE) --build build -j$(JOBS)

run: build
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

clean:
	rm -rf build build-asan build-bench
