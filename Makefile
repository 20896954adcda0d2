# Entry points for developers and CI. Each build tree is configured once and then
# rebuilt incrementally (Ninja re-runs CMake by itself when a CMakeLists changes).
#
#   make test    install what is missing, build native, win64 and win32, run the native
#                tests (AddressSanitizer + UBSan), then the win64 tests under Wine, then
#                the win32 tests under Wine's 32-bit side (the x86 driver installed, and
#                files of one driver read by the other), then check that docs/images is
#                what make screens renders and that the admin guide's tqrctl command
#                table is what tqrctl --help lists, then make tsan
#   make demo    build win64, install the driver into the Wine prefix as the printer
#                "Orlex TQ-R5400" (over an earlier installation), show its default
#                settings and its capabilities as applications get them, then its
#                printing preferences: on $DISPLAY when set, else as screenshots
#   make screens every page and dialog of the property sheets, rendered under Xvfb
#                into build/screens/*.png
#   make docs-images  refresh the guides' pictures in docs/images from make screens
#   make fuzz    libFuzzer campaigns, FUZZ_SECONDS (60) per target, in build/fuzz
#   make bench   benchmarks, optimised and without sanitizers, in build/bench
#   make bench-wine  whole spooler calls under Wine (bench/wine), the x64 driver in a
#                64-bit process, then the x86 driver in a 32-bit one
#   make tsan    the printer cache's tests (callers, writes and the cache's worker on
#                threads of their own) under ThreadSanitizer, in build/tsan: only the
#                one test program is built there, about a minute
#   make package the driver package for administrators, x64 and x86, with the guides, in
#                build/package/ and zipped as build/package/tqr54-driver-VERSION.zip
#   make clean   remove build/, the Wine prefixes included
#
# Trees: build/native (Debug: assertions on, fast to build, sanitizers), build/win64 and
# build/win32 (RelWithDebInfo: what ships, with symbols), build/fuzz, build/bench.

SHELL := /bin/bash
.SHELLFLAGS := -euo pipefail -c
.DEFAULT_GOAL := all
# One thing at a time: Ninja and ctest already keep both cores busy, and the order of
# the steps is the order written.
.NOTPARALLEL:

CMAKE ?= cmake
CTEST ?= ctest
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Wine tests are mostly waiting on the wineserver; two at a time is plenty for 2 cores.
WINE_JOBS ?= 2
FUZZ_SECONDS ?= 60
CTEST_ARGS ?=

B := build
GEN := -G Ninja
WINE_RUN := scripts/wine-run

NATIVE_FLAGS := -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ \
  -DTQR_SANITIZE=ON
WIN64_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-win64.cmake
WIN32_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-win32.cmake
# Fuzzing wants optimised code that still checks its assertions: RelWithDebInfo without
# -DNDEBUG. The fuzz targets add -fsanitize=fuzzer themselves.
FUZZ_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DTQR_SANITIZE=ON -DTQR_FUZZ=ON \
  "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -g" "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g"
TSAN_FLAGS := -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ \
  -DTQR_SANITIZE=OFF -DCMAKE_C_FLAGS=-fsanitize=thread -DCMAKE_CXX_FLAGS=-fsanitize=thread \
  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread
BENCH_FLAGS := -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ \
  -DTQR_SANITIZE=OFF

.PHONY: all test demo screens package fuzz bench bench-wine tsan clean bootstrap \
  build-native build-win64 build-win32 build-fuzz build-bench \
  test-native test-win64 test-win32 test-docs-images test-admin-guide docs-images artwork

all: build-native build-win64 build-win32

bootstrap:
	scripts/bootstrap

# --- configuring: only when the tree has no build.ninja yet, or this Makefile or a
# --- toolchain file changed since
$(B)/native/build.ninja: Makefile | bootstrap
	$(CMAKE) -S . -B $(B)/native $(GEN) $(NATIVE_FLAGS)
$(B)/win64/build.ninja: Makefile cmake/toolchain-win64.cmake cmake/toolchain-mingw-common.cmake | bootstrap
	$(CMAKE) -S . -B $(B)/win64 $(GEN) $(WIN64_FLAGS)
$(B)/win32/build.ninja: Makefile cmake/toolchain-win32.cmake cmake/toolchain-mingw-common.cmake | bootstrap
	$(CMAKE) -S . -B $(B)/win32 $(GEN) $(WIN32_FLAGS)
$(B)/fuzz/build.ninja: Makefile | bootstrap
	$(CMAKE) -S . -B $(B)/fuzz $(GEN) $(FUZZ_FLAGS)
$(B)/tsan/build.ninja: Makefile | bootstrap
	$(CMAKE) -S . -B $(B)/tsan $(GEN) $(TSAN_FLAGS)
$(B)/bench/build.ninja: Makefile | bootstrap
	$(CMAKE) -S . -B $(B)/bench $(GEN) $(BENCH_FLAGS)

# --- building
build-native: bootstrap $(B)/native/build.ninja
	$(CMAKE) --build $(B)/native -j $(JOBS)
build-win64: bootstrap $(B)/win64/build.ninja
	$(CMAKE) --build $(B)/win64 -j $(JOBS)
build-win32: bootstrap $(B)/win32/build.ninja
	$(CMAKE) --build $(B)/win32 -j $(JOBS)
build-fuzz: bootstrap $(B)/fuzz/build.ninja
	$(CMAKE) --build $(B)/fuzz -j $(JOBS)
build-bench: bootstrap $(B)/bench/build.ninja
	$(CMAKE) --build $(B)/bench -j $(JOBS)

# --- testing (CTEST_ARGS, e.g. CTEST_ARGS="-R devmode", go to every ctest run)
test: build-native build-win64 build-win32 test-native test-win64 test-win32 test-docs-images \
  test-admin-guide tsan

test-native: build-native
	$(CTEST) --test-dir $(B)/native --output-on-failure -j $(JOBS) $(CTEST_ARGS)

# The prefix is made before the first test, so that its 20 s do not count against the
# timeout of whichever test would have made it.
test-win64: build-win64
	$(WINE_RUN) --init
	$(CTEST) --test-dir $(B)/win64 --output-on-failure -j $(WINE_JOBS) $(CTEST_ARGS)

# The win32 tree's tests run in prefixes of their own, WINE32_DIR (the tree's default,
# see cmake/toolchain-win32.cmake): both trees install the driver as the same printer.
# Its cross-architecture tests run the win64 tree's programs too, so that tree is built.
WINE32_DIR := $(CURDIR)/$(B)/wine32
test-win32: build-win32 build-win64
	$(WINE_RUN) --default-dir $(WINE32_DIR) --init
	$(CTEST) --test-dir $(B)/win32 --output-on-failure -j $(WINE_JOBS) $(CTEST_ARGS)

# --- the rest
# Jobs sent to the demo printer land in DEMO_JOBS (replaced by each job).
TQRCTL := $(B)/win64/bin/tqrctl.exe
DEMO_JOBS ?= $(CURDIR)/$(B)/win64/tqr54-jobs.prn
SCREENS := $(B)/screens
demo: build-win64
	$(WINE_RUN) --init
	$(WINE_RUN) $(TQRCTL) install --port-file "$(DEMO_JOBS)"
	$(WINE_RUN) $(TQRCTL) defaults
	$(WINE_RUN) $(TQRCTL) caps
	@if [[ -n "$${DISPLAY:-}" ]]; then \
	  echo "== the printing preferences on $$DISPLAY; OK prints the settings that come back"; \
	  $(WINE_RUN) --display $(TQRCTL) install --port-file "$(DEMO_JOBS)"; \
	  $(WINE_RUN) --display $(TQRCTL) prefs --host; \
	else \
	  echo "== no DISPLAY: the property sheets as pictures in $(SCREENS)"; \
	  TQR_SCREENS_JOBS="$(DEMO_JOBS)" scripts/screenshots $(TQRCTL) $(SCREENS); \
	fi

# The property sheets as our host shows them, each page and each dialog its buttons
# open, under Xvfb (see scripts/screenshots).
screens: build-win64
	TQR_SCREENS_JOBS="$(DEMO_JOBS)" scripts/screenshots $(TQRCTL) $(SCREENS)

# What an administrator gets: the driver files of both trees, the guides, one zip.
package: build-win64 build-win32
	scripts/package $(B)/win64/bin $(B)/win32/bin $(B)/package

# The guides' pictures are the build's, pixel for pixel (scripts/docs-images).
test-docs-images: screens
	scripts/docs-images check $(SCREENS)
docs-images: screens
	scripts/docs-images update $(SCREENS)

# The admin guide's tqrctl command table against tqrctl --help (scripts/check-admin-guide).
test-admin-guide: build-win64
	scripts/check-admin-guide $(TQRCTL)

# Every executable fuzz_* in build/fuzz/bin, on its corpus fuzz/corpus/<name> (read
# only: what it finds new goes to build/fuzz/corpus/<name>, crashes and the like to
# build/fuzz/artifacts/<name>/), with fuzz/dict/<name>.dict when there is one. All
# targets run even when one fails; the exit status says whether any did.
fuzz: build-fuzz
	@failed=(); found=0; \
	for exe in $(B)/fuzz/bin/fuzz_*; do \
	  [[ -f $$exe && -x $$exe ]] || continue; found=1; \
	  name=$$(basename "$$exe"); \
	  mkdir -p $(B)/fuzz/corpus/$$name $(B)/fuzz/artifacts/$$name fuzz/corpus/$$name; \
	  dict=(); [[ -f fuzz/dict/$$name.dict ]] && dict=(-dict=fuzz/dict/$$name.dict); \
	  echo "== $$name: $(FUZZ_SECONDS) s"; \
	  "$$exe" -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(B)/fuzz/artifacts/$$name/ "$${dict[@]}" \
	    $(B)/fuzz/corpus/$$name fuzz/corpus/$$name || failed+=("$$name"); \
	done; \
	if (( ! found )); then echo "no fuzz_* targets in $(B)/fuzz/bin" >&2; exit 1; fi; \
	if (( $${#failed[@]} )); then echo "fuzz targets that failed: $${failed[*]}" >&2; exit 1; fi

bench: build-bench
	@found=0; \
	for exe in $(B)/bench/bin/bench_*; do \
	  [[ -f $$exe && -x $$exe ]] || continue; found=1; \
	  echo "== $$(basename "$$exe")"; \
	  "$$exe"; \
	done; \
	if (( ! found )); then echo "no bench_* programs in $(B)/bench/bin" >&2; exit 1; fi

# Whole spooler calls under Wine (bench/wine): each tree's driver installed by its own
# tqrctl into its tree's prefix, then timed against wineps and the stub in a process of
# the same machine, x64 and then x86.
bench-wine: build-win64 build-win32
	@for tree in win64 win32; do \
	  run=($(WINE_RUN)); [[ $$tree == win32 ]] && run+=(--default-dir $(WINE32_DIR)); \
	  echo "== bench_spooler_calls, $$tree"; \
	  "$${run[@]}" $(B)/$$tree/bin/tqrctl.exe install >/dev/null; \
	  "$${run[@]}" $(B)/$$tree/bin/bench_spooler_calls.exe; \
	done

# The cache and its users with threads racing through them; the first race found
# fails the run.
tsan: bootstrap $(B)/tsan/build.ninja
	$(CMAKE) --build $(B)/tsan -j $(JOBS) --target settings_tests
	TSAN_OPTIONS=halt_on_error=1 $(B)/tsan/bin/settings_tests --gtest_filter='PrinterCache*'

# Redraws the icons and bitmaps in src/resources/art/ and the list that names them,
# src/resources/art.rc, with the native tool tools/artwork; also a contact sheet of
# them all, build/artwork/contact.png (or .bmp without ImageMagick), for looking at.
ARTWORK := $(B)/native/bin/artwork
artwork: bootstrap $(B)/native/build.ninja
	$(CMAKE) --build $(B)/native --target artwork
	rm -rf src/resources/art
	mkdir -p src/resources/art $(B)/artwork
	$(ARTWORK) src/resources/art --rc src/resources/art.rc --sheet $(B)/artwork/contact.bmp
	if command -v convert >/dev/null; then \
	  convert $(B)/artwork/contact.bmp $(B)/artwork/contact.png && rm $(B)/artwork/contact.bmp; \
	fi

clean:
	-$(WINE_RUN) --kill
	-$(WINE_RUN) --display --kill
	-$(WINE_RUN) --default-dir $(WINE32_DIR) --kill
	rm -rf $(B)
