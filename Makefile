# The two commands a person needs are `make demo` and `make test`; see README.md.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The sanitizer tree: clang with AddressSanitizer and UndefinedBehaviorSanitizer, every report
# fatal, and the coverage hooks that its fuzz targets need.
SANITIZE := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
# A sanitizer report ends the program with its own exit status, which no test expects.
SANITIZER_ENV := ASAN_OPTIONS=exitcode=86:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
                 UBSAN_OPTIONS=exitcode=86:print_stacktrace=1
MINUTES ?= 10

.PHONY: deps build build-native build-win32 build-win64 build-sanitize test demo bench fuzz soak clean

deps:
	@scripts/install-deps

build: build-native build-win32 build-win64 build-sanitize

build-native: deps
	cmake -S . -B build/native $(CMAKE_FLAGS) >/dev/null
	cmake --build build/native -j$(JOBS)

build-win32: deps
	cmake -S . -B build/win32 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-mingw-i686.cmake >/dev/null
	cmake --build build/win32 -j$(JOBS)

build-win64: deps
	cmake -S . -B build/win64 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-mingw-x86_64.cmake >/dev/null
	cmake --build build/win64 -j$(JOBS)

build-sanitize: deps
	cmake -S . -B build/sanitize $(CMAKE_FLAGS) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVARROW_FUZZ=ON \
	    -DCMAKE_C_FLAGS="$(SANITIZE)" -DCMAKE_CXX_FLAGS="$(SANITIZE) -fsanitize=fuzzer-no-link" >/dev/null
	cmake --build build/sanitize -j$(JOBS)

test: build
	ctest --test-dir build/native --output-on-failure
	$(SANITIZER_ENV) ctest --test-dir build/sanitize --output-on-failure -j$(JOBS)
	scripts/wine-ctest build/win32
	scripts/wine-ctest build/win64

demo: build
	@scripts/demo

bench: build
	@scripts/bench

# Every fuzz target for MINUTES minutes each (make fuzz MINUTES=10).
fuzz: build-sanitize
	$(SANITIZER_ENV) scripts/fuzz $(MINUTES)

# A working day of the component in one Wine process (not part of make test).
soak: build-win32
	scripts/soak build/win32

clean:
	rm -rf build
