# The two commands of the README. Both install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS = -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake $(if $(CI),-DQUELLOR_WERROR=ON)

.PHONY: run test build bootstrap screenshots bench

bootstrap:
	bash tools/bootstrap

build: bootstrap
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	tools/wine-session $(BUILD) wine $(BUILD)/Quellor.exe

test: build
	tools/wine-session $(BUILD) ctest --test-dir $(BUILD) --output-on-failure --timeout 300

# Pictures of every dialog for the README, taken on a private Xvfb display.
screenshots: build
	tools/screenshot $(BUILD)
	tools/screenshot-wizard $(BUILD)

# Quellor's footprint beside two reference tray programs (tools/bench), in a
# Wine prefix of its own; takes about 11 minutes.
bench: build
	QUELLOR_PREFIX_NAME=wineprefix-bench tools/wine-session $(BUILD) tools/bench $(BUILD)
