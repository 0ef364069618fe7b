# The two commands of the README. Both install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS = -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake $(if $(CI),-DQUELLOR_WERROR=ON)

.PHONY: run test build configure bootstrap package screenshots

bootstrap:
	bash tools/bootstrap

configure: bootstrap
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	tools/wine-session $(BUILD) wine $(BUILD)/Quellor.exe

test: build
	tools/wine-session $(BUILD) ctest --test-dir $(BUILD) --output-on-failure --timeout 300

# The installer, the portable zip and SHA256SUMS, in the build directory.
package: configure
	cmake --build $(BUILD) -j $(JOBS) --target packages
	@cd $(BUILD) && ls -l Quellor.exe Quellor-*-setup.exe Quellor-*-portable.zip SHA256SUMS

# Pictures of every dialog for the README, taken on a private Xvfb display.
screenshots: build
	tools/screenshot $(BUILD)
	tools/screenshot-wizard $(BUILD)
