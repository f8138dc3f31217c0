# The README's commands. Builds go to build/ (tests and run), build-asan/, build-bench/ and build-fuzz/.
JOBS ?= 2
CMAKE ?= cmake
CPACK ?= cpack
# "make fuzz" builds the libFuzzer targets of fuzz/ with clang (build-fuzz/)
# and runs each for FUZZ_SECONDS, starting from its seeds in fuzz/corpus/.
FUZZ_SECONDS ?= 60
FUZZ_CXX ?= clang++
FUZZ_TARGETS = addr_mask classify config list_file template tmail
# "make install" puts the program, manual pages and examples under PREFIX,
# inside DESTDIR when that is given (for packaging).
PREFIX ?= /usr/local
DESTDIR ?=

# The Debian packages that each target needs.
PROGRAM_PACKAGES = g++ cmake make
TEST_PACKAGES = $(PROGRAM_PACKAGES) libgtest-dev libgmock-dev groff-base
DEB_PACKAGES = $(PROGRAM_PACKAGES) dpkg-dev
BENCH_PACKAGES = $(PROGRAM_PACKAGES) libbenchmark-dev
FUZZ_PACKAGES = $(PROGRAM_PACKAGES) clang libclang-rt-14-dev
# The FTN programs that read zeb's output. Debian's amd64 jamnntpd steps
# through a JAM index 16 bytes at a time instead of 8 and lists only half of
# the articles of any base, and its amd64 crashmail cannot read a JAM
# message back, so their i386 builds are used where the kernel runs 32-bit
# programs; elsewhere, or with ZEB_INTEROP_32BIT=no, the machine's own
# crashmail, with the JAM checks done by the tests' strict reader
# (tests/interop/peer_arch.sh decides).
ZEB_INTEROP_32BIT ?=
INTEROP_ARCH = $(shell ZEB_INTEROP_32BIT=$(ZEB_INTEROP_32BIT) sh tests/interop/peer_arch.sh build)

# $(call need-packages,LIST) checks that the Debian packages of LIST are
# installed. Missing ones are installed when run as root; anyone else is told
# the apt-get line to run. Systems without dpkg are not checked.
define need-packages
@missing=; \
if command -v dpkg-query >/dev/null 2>&1; then \
  for p in $(1); do \
    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q ' installed$$' || missing="$$missing $$p"; \
  done; \
fi; \
if [ -n "$$missing" ]; then \
  if [ "$$(id -u)" -ne 0 ]; then \
    echo "Missing Debian packages. Install them as root, then run make again:"; \
    echo "  apt-get install$$missing"; \
    exit 1; \
  fi; \
  echo "Installing the missing Debian packages:$$missing"; \
  export DEBIAN_FRONTEND=noninteractive; \
  apt-get install -y --no-install-recommends $$missing </dev/null || \
    { apt-get update </dev/null && apt-get install -y --no-install-recommends $$missing </dev/null; } || exit 1; \
fi
endef

CONFIGURE = $(CMAKE) -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

.PHONY: all program build run test interop asan bench fuzz install deb lintian clean

all: build

# The program alone.
program:
	$(call need-packages,$(PROGRAM_PACKAGES))
	$(CONFIGURE)
	$(CMAKE) --build build -j$(JOBS) --target zeb

# The program and the tests.
build:
	$(call need-packages,$(TEST_PACKAGES))
	$(CONFIGURE)
	$(CMAKE) --build build -j$(JOBS)

# The example node: a freshly generated sample outbound, reported on the
# console and posted into a JAM and a Squish base in build/msgbase/.
run: program
	examples/make_outbound.sh
	mkdir -p build/msgbase
	ZEB_EXAMPLES=$(CURDIR)/examples ZEB_MSGBASE=$(CURDIR)/build/msgbase build/zeb /c $(CURDIR)/examples/zeb.ctl

test: build
	cd build && ctest --output-on-failure -j$(JOBS)

# zeb's packets, JAM posts and netmail read by crashmail and jamnntpd
# (tests/interop/run.sh). Only the builds of the architecture used are
# installed; installing them replaces those of the other.
interop: program
	$(CMAKE) --build build -j$(JOBS) --target zeb_strict_read
	$(eval INTEROP_ARCH := $(INTEROP_ARCH))
	@if [ $(INTEROP_ARCH) = i386 ] && [ "$$(dpkg --print-architecture 2>/dev/null)" = amd64 ] && \
	    ! dpkg --print-foreign-architectures | grep -qx i386; then \
	  if [ "$$(id -u)" -ne 0 ]; then \
	    echo "The 32-bit builds of crashmail and jamnntpd are needed. As root, run:"; \
	    echo "  dpkg --add-architecture i386 && apt-get update"; \
	    exit 1; \
	  fi; \
	  dpkg --add-architecture i386 && apt-get update </dev/null >/dev/null; \
	fi
	$(call need-packages,$(PROGRAM_PACKAGES) crashmail:$(INTEROP_ARCH) $(if $(filter i386,$(INTEROP_ARCH)),jamnntpd:i386))
	ZEB_INTEROP_ARCH=$(INTEROP_ARCH) bash tests/interop/run.sh $(CURDIR)/build/zeb $(CURDIR)/build/zeb_strict_read

asan:
	$(call need-packages,$(TEST_PACKAGES))
	$(CMAKE) -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZEB_SANITIZE=ON >/dev/null
	$(CMAKE) --build build-asan -j$(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j$(JOBS)

# "make bench" runs the whole-run benchmark on generated outbounds of the
# sizes in BENCH_SIZES (add "huge" for 500,000 files: minutes to generate and
# run), then the micro-benchmarks.
BENCH_SIZES ?= small hub
bench:
	$(call need-packages,$(BENCH_PACKAGES))
	$(CMAKE) -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DZEB_BENCH=ON >/dev/null
	$(CMAKE) --build build-bench -j$(JOBS)
	ZEB=$(CURDIR)/build-bench/zeb bench/run.sh $(BENCH_SIZES)
	@if [ -x build-bench/zeb_bench ]; then build-bench/zeb_bench; fi

fuzz:
	$(call need-packages,$(FUZZ_PACKAGES))
	$(CMAKE) -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) -DZEB_FUZZ=ON >/dev/null
	$(CMAKE) --build build-fuzz -j$(JOBS)
	for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$t build-fuzz/crashes/$$t; \
	  echo "== $$t ($(FUZZ_SECONDS) s)"; \
	  build-fuzz/fuzz/$${t}_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	    -max_len=65536 -artifact_prefix=build-fuzz/crashes/$$t/ -print_final_stats=1 \
	    build-fuzz/corpus/$$t fuzz/corpus/$$t >build-fuzz/$$t.log 2>&1; rc=$$?; \
	  grep -aE '^(stat::number_of_executed_units|stat::peak_rss|#[0-9]+ +DONE|SUMMARY|artifact_prefix|Test unit written)' build-fuzz/$$t.log; \
	  if [ $$rc -ne 0 ]; then tail -n 40 build-fuzz/$$t.log; exit 1; fi; \
	done

install: program
	DESTDIR="$(DESTDIR)" $(CMAKE) --install build --prefix "$(PREFIX)"

# A Debian package of the same files, installed under /usr: build/zeb_*.deb.
deb: program
	$(call need-packages,$(DEB_PACKAGES))
	cd build && $(CPACK) -G DEB

# Debian's checks of the package: any error or warning fails.
lintian: deb
	$(call need-packages,lintian)
	lintian --fail-on error,warning build/zeb_*.deb

clean:
	rm -rf build build-asan build-bench build-fuzz
