# The two commands of the README. Both install what is missing first.
BUILD ?= build
NATIVE ?= $(BUILD)-native
JOBS ?= $(shell nproc)
CMAKE_FLAGS = --preset mingw $(if $(CI),-DQUELLOR_WERROR=ON)
# Only make package signs (below): every other target builds unsigned
# packages, whatever the calling shell holds.
unexport SIGN_PKCS12 SIGN_TIMESTAMP_URL

.PHONY: run test build configure native fuzz soak bootstrap package screenshots bench lint

bootstrap:
	bash tools/bootstrap

configure: bootstrap
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The pure pieces under clang's sanitizers, with their fuzzers.
native: bootstrap
	cmake -S tests/native -B $(NATIVE) --preset native
	cmake --build $(NATIVE) -j $(JOBS)

run: build
	tools/wine-session $(BUILD) wine $(BUILD)/Quellor.exe

test: build native
	tools/wine-session $(BUILD) ctest --test-dir $(BUILD) --output-on-failure --timeout 300
	ctest --test-dir $(NATIVE) --output-on-failure -LE fuzz
	ctest --test-dir $(NATIVE) --output-on-failure --verbose -L fuzz

# clang-tidy over src/ as the cross build compiles it (checks in .clang-tidy).
lint: configure
	python3 tools/lint $(BUILD)

# Each fuzzer for FUZZ_SECONDS (default 600) over its kept corpus.
fuzz: native
	FUZZ_SECONDS=$${FUZZ_SECONDS:-600} ctest --test-dir $(NATIVE) --output-on-failure --verbose -L fuzz

# The installer, the portable zip, the MSI package, the Group Policy templates
# and SHA256SUMS, in the build directory.
# Signed when SIGN_PKCS12 names a certificate; the password, SIGN_PASSWORD,
# reaches the signing step through the environment only, as make got it.
package: override export SIGN_PKCS12 := $(if $(SIGN_PKCS12),$(abspath $(SIGN_PKCS12)))
package: override export SIGN_TIMESTAMP_URL := $(SIGN_TIMESTAMP_URL)
package: configure
	cmake --build $(BUILD) -j $(JOBS) --target packages
	@cd $(BUILD) && ls -l packaging/release/Quellor.exe Quellor-*-setup.exe Quellor-*-portable.zip Quellor-*.msi \
		Quellor-*-policies.zip SHA256SUMS

# The soak in full (the short form is part of make test): 10,000 ticks,
# 10,000 tray notifications, 500 OFF/ON switches and 200 Set Up dialogs.
soak: build
	QUELLOR_SOAK=full tools/wine-session $(BUILD) $(BUILD)/wine-launch $(BUILD)/quellor_system_tests.exe \
		--gtest_filter=SoakTest.*

# Pictures of every dialog for the README, taken on a private Xvfb display.
screenshots: build
	tools/screenshot $(BUILD)
	tools/screenshot-wizard $(BUILD)

# Quellor's footprint beside two reference tray programs (tools/bench), in a
# Wine prefix of its own; takes about 11 minutes.
bench: build
	QUELLOR_PREFIX_NAME=wineprefix-bench tools/wine-session $(BUILD) tools/bench $(BUILD)
