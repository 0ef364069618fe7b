# The two commands of the README. Both install what is missing first.
BUILD ?= build
NATIVE ?= $(BUILD)-native
JOBS ?= $(shell nproc)
CMAKE_FLAGS = -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake $(if $(CI),-DQUELLOR_WERROR=ON)

.PHONY: run test build native fuzz soak bootstrap screenshots

bootstrap:
	bash tools/bootstrap

build: bootstrap
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

# The pure pieces under clang's sanitizers, with their fuzzers.
native: bootstrap
	cmake -S tests/native -B $(NATIVE) -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(NATIVE) -j $(JOBS)

run: build
	tools/wine-session $(BUILD) wine $(BUILD)/Quellor.exe

test: build native
	tools/wine-session $(BUILD) ctest --test-dir $(BUILD) --output-on-failure --timeout 300
	ctest --test-dir $(NATIVE) --output-on-failure -LE fuzz
	ctest --test-dir $(NATIVE) --output-on-failure --verbose -L fuzz

# Each fuzzer for FUZZ_SECONDS (default 600) over its kept corpus.
fuzz: native
	FUZZ_SECONDS=$${FUZZ_SECONDS:-600} ctest --test-dir $(NATIVE) --output-on-failure --verbose -L fuzz

# The soak in full (the short form is part of make test): 10,000 ticks,
# 10,000 tray notifications, 500 OFF/ON switches and 200 Set Up dialogs.
soak: build
	QUELLOR_SOAK=full tools/wine-session $(BUILD) $(BUILD)/wine-launch $(BUILD)/quellor_system_tests.exe \
		--gtest_filter=SoakTest.*

# Pictures of every dialog for the README, taken on a private Xvfb display.
screenshots: build
	tools/screenshot $(BUILD)
	tools/screenshot-wizard $(BUILD)
