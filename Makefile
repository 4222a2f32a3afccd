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
# How 32-bit programs run here: native, emulated (qemu-user) or none. Asked when used, so that it
# sees what `make deps` has just set up.
I686_RUNS = $(shell scripts/wine-loader --how 32)
# The Windows tree for the soak and the response-time bench: the shipped i686 one where 32-bit
# programs run natively, x86_64 elsewhere (figures of emulated code would say nothing).
WINE_TREE = $(if $(filter native,$(I686_RUNS)),win32,win64)
# Signing the shipped Windows files: make package SIGN_PKCS12=FILE SIGN_PASSWORD_FILE=FILE
# [SIGN_TIMESTAMP_URL=URL]. Every configuration of the i686 tree says whether to sign, so that a
# tree once signed does not stay so.
SIGN_FLAGS = -DVARROW_SIGN_PKCS12=$(if $(SIGN_PKCS12),$(abspath $(SIGN_PKCS12))) \
             -DVARROW_SIGN_PASSWORD_FILE=$(if $(SIGN_PASSWORD_FILE),$(abspath $(SIGN_PASSWORD_FILE))) \
             -DVARROW_SIGN_TIMESTAMP_URL=$(SIGN_TIMESTAMP_URL)
# Both Windows trees compare what they write with the native build's varrow.
NATIVE_VARROW := $(CURDIR)/build/native/varrow
WIN32_FLAGS = $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-mingw-i686.cmake $(SIGN_FLAGS) \
              -DVARROW_NATIVE_VARROW=$(NATIVE_VARROW)
WIN64_FLAGS = $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-mingw-x86_64.cmake \
              -DVARROW_NATIVE_VARROW=$(NATIVE_VARROW)
# Under emulation every 32-bit Wine run of make test starts from copies of one prefix.
PREFIX_TEMPLATE := $(CURDIR)/build/wine32-prefix
# Written by scripts/windows-tests when the emulator here cannot run the i686 suite, with the reason.
I686_UNFIT := build/i686-unfit
# The release's version, set in CMakeLists.txt; the installer test upgrades to the next one.
VERSION := $(shell sed -nE 's/^project.varrow VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
NEXT_VERSION := $(shell echo $(VERSION) | awk -F. '{ print $$1 "." $$2 "." $$3 + 1 }')
DIST := build/dist
# The installer test runs on the shipped x86 package, natively or under emulation; where Wine
# cannot start 32-bit programs at all, on an x64 one built from the same sources (INSTALLER_ARCH
# chooses either).
INSTALLER_ARCH ?= $(if $(or $(filter none,$(I686_RUNS)),$(wildcard $(I686_UNFIT))),x64,x86)
ifeq ($(INSTALLER_ARCH),x64)
INSTALLER_TREE := build/win64
INSTALLER_FLAGS = $(WIN64_FLAGS)
UPGRADE_TREE := build/upgrade64
else
INSTALLER_TREE := build/win32
INSTALLER_FLAGS = $(WIN32_FLAGS)
UPGRADE_TREE := build/upgrade
endif

.PHONY: deps build build-native build-win32 build-win64 build-sanitize test demo bench fuzz soak package \
        installer-test installer-check signing-check reproducible-check screenshots clean

deps:
	@scripts/install-deps

build: build-native build-win32 build-win64 build-sanitize

build-native: deps
	cmake -S . -B build/native $(CMAKE_FLAGS) >/dev/null
	cmake --build build/native -j$(JOBS)

build-win32: deps
	cmake -S . -B build/win32 $(WIN32_FLAGS) >/dev/null
	cmake --build build/win32 -j$(JOBS)

build-win64: deps
	cmake -S . -B build/win64 $(WIN64_FLAGS) >/dev/null
	cmake --build build/win64 -j$(JOBS)

build-sanitize: deps
	cmake -S . -B build/sanitize $(CMAKE_FLAGS) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVARROW_FUZZ=ON \
	    -DCMAKE_C_FLAGS="$(SANITIZE)" -DCMAKE_CXX_FLAGS="$(SANITIZE) -fsanitize=fuzzer-no-link" >/dev/null
	cmake --build build/sanitize -j$(JOBS)

test: build package
	ctest --test-dir build/native --output-on-failure
	$(SANITIZER_ENV) ctest --test-dir build/sanitize --output-on-failure -j$(JOBS)
	rm -rf $(PREFIX_TEMPLATE)
	VARROW_PREFIX_TEMPLATE=$(if $(filter emulated,$(I686_RUNS)),$(PREFIX_TEMPLATE)) \
	    scripts/windows-tests build/win32 build/win64 $(I686_UNFIT)
	$(MAKE) --no-print-directory installer-check
	$(MAKE) --no-print-directory signing-check
	rm -rf $(PREFIX_TEMPLATE)

# The three packages in build/dist, with the shipped binaries' debug files in build/dist/debug and
# the SHA-256 sums of all of them in build/dist/SHA256SUMS. Only what is shipped is built.
package: deps
	@$(if $(SIGN_PKCS12),,echo "package: no SIGN_PKCS12 given: the DLL, varrow.exe and the MSI are not signed")
	cmake -S . -B build/native $(CMAKE_FLAGS) >/dev/null
	cmake --build build/native -j$(JOBS) --target shipped
	cmake -S . -B build/win32 $(WIN32_FLAGS) >/dev/null
	cmake --build build/win32 -j$(JOBS) --target msi
	rm -rf $(DIST) build/native/cpack
	cd build/native && umask 022 && cpack -B cpack >/dev/null
	mkdir -p $(DIST)/debug
	cp build/native/cpack/varrow-$(VERSION)-linux-*.tar.gz build/native/cpack/varrow_$(VERSION)_*.deb \
	   build/win32/VarrowOnline-$(VERSION)-x86.msi $(DIST)/
	cp build/native/shipped/*.debug build/win32/shipped/*.debug $(DIST)/debug/
	cd $(DIST) && LC_ALL=C sha256sum *.* debug/* >SHA256SUMS

# The signing path of make package with a throw-away certificate: the signatures verify, a changed
# byte fails, and the signed DLL and package install and serve the client under Wine.
signing-check:
	xvfb-run -a -s '-screen 0 1024x768x24' packaging/signing_test.py --work build/signing-test --make "$(MAKE)" \
	    --arch $(INSTALLER_ARCH) --idl-dir host --client tests/com_client_test.vbs --version $(VERSION)

# Two builds of the packages from the commit (HEAD) in two temporary folders at two times, every
# shipped file compared (not part of make test: it builds everything twice, without ccache).
reproducible-check:
	scripts/reproducible-check

# The installer under Wine, against a build of the same sources as the next version, which
# needs only the DLL, varrow.exe and the MSI; and the Debian package when run as root.
installer-test: package
	@$(MAKE) --no-print-directory installer-check

# The installer test on the packages already built (make test has just built them).
installer-check:
	cmake -S . -B $(INSTALLER_TREE) $(INSTALLER_FLAGS) >/dev/null
	cmake --build $(INSTALLER_TREE) -j$(JOBS) --target msi
	cmake -S . -B $(UPGRADE_TREE) $(INSTALLER_FLAGS) -DVARROW_VERSION=$(NEXT_VERSION) >/dev/null
	cmake --build $(UPGRADE_TREE) -j$(JOBS) --target msi
	xvfb-run -a -s '-screen 0 1024x768x24' packaging/installer_test.py --work build/installer-test \
	    --arch $(INSTALLER_ARCH) --idl-dir host --client tests/com_client_test.vbs \
	    --msi $(INSTALLER_TREE)/VarrowOnline-$(VERSION)-$(INSTALLER_ARCH).msi --version $(VERSION) \
	    --upgrade-msi $(UPGRADE_TREE)/VarrowOnline-$(NEXT_VERSION)-$(INSTALLER_ARCH).msi \
	    --upgrade-version $(NEXT_VERSION) --regsvr32-dll $(INSTALLER_TREE)/shipped/TeskVarrowInternetBanking.dll \
	    --deb $(DIST)/varrow_$(VERSION)_amd64.deb

# The demo shows the demo: the build's own chatter goes to a log, shown only if the build fails.
demo:
	@mkdir -p build
	@echo "demo: building (log: build/demo-build.log)"
	@$(MAKE) --no-print-directory build-native build-win32 build-win64 >build/demo-build.log 2>&1 || { tail -n 40 build/demo-build.log; exit 1; }
	@scripts/demo

# The benchmarks print their figures; the build's chatter goes to a log, as for the demo.
bench:
	@mkdir -p build
	@echo "bench: building (log: build/bench-build.log)"
	@$(MAKE) --no-print-directory build-native build-$(WINE_TREE) >build/bench-build.log 2>&1 || { tail -n 40 build/bench-build.log; exit 1; }
	@scripts/bench

# Every fuzz target for MINUTES minutes each (make fuzz MINUTES=10).
fuzz: build-sanitize
	$(SANITIZER_ENV) scripts/fuzz $(MINUTES)

# The pictures of docs/user-guide.md, from the real dialogs under Wine: only what the driver needs
# is built.
screenshots: deps
	cmake -S . -B build/$(WINE_TREE) $(if $(filter win32,$(WINE_TREE)),$(WIN32_FLAGS),$(WIN64_FLAGS)) >/dev/null
	cmake --build build/$(WINE_TREE) -j$(JOBS) --target screenshot_driver
	scripts/screenshots build/$(WINE_TREE)

# A working day of the component in one Wine process (not part of make test).
soak: build-$(WINE_TREE)
	scripts/soak build/$(WINE_TREE)

clean:
	rm -rf build
