# The two commands a person needs are `make demo` and `make test`; see README.md.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps build test demo bench clean

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B build/native $(CMAKE_FLAGS) >/dev/null
	cmake --build build/native -j$(JOBS)
	cmake -S . -B build/win32 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-mingw-i686.cmake >/dev/null
	cmake --build build/win32 -j$(JOBS)
	cmake -S . -B build/win64 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-mingw-x86_64.cmake >/dev/null
	cmake --build build/win64 -j$(JOBS)

test: build
	ctest --test-dir build/native --output-on-failure
	scripts/fuzz-statements
	scripts/wine-ctest build/win32
	scripts/wine-ctest build/win64

# The demo shows the demo: the build's own chatter goes to a log, shown only if the build fails.
demo:
	@mkdir -p build
	@echo "demo: building (log: build/demo-build.log)"
	@$(MAKE) --no-print-directory build >build/demo-build.log 2>&1 || { tail -n 40 build/demo-build.log; exit 1; }
	@scripts/demo

bench: build
	@scripts/bench

clean:
	rm -rf build
