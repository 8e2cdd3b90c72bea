# Entry points for people and CI. `make run` and `make test` do the whole
# set-up on a fresh Debian machine: packages, configure, build.
BUILD ?= build
CMAKE_FLAGS ?=
CTEST_ARGS ?=
JOBS ?= $(shell nproc)

.PHONY: run test build configure deps fuzz clean windows windows-deps dist-windows

run: build
	@scripts/run-kelvane $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

deps:
	@scripts/install-deps

fuzz: deps
	@scripts/run-fuzzers

# Windows: kelvane.exe, dorvik.exe and trk.exe cross-built into
# build-windows/bin/, warnings as errors; the image libraries are built once
# from Debian's sources into build-windows/deps/.
WINDOWS_BUILD ?= build-windows

windows: windows-deps
	@cmake -S . -B $(WINDOWS_BUILD) -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DKELVANE_WERROR=ON >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)

windows-deps:
	@scripts/install-deps windows
	@scripts/build-windows-deps $(WINDOWS_BUILD)/deps

dist-windows: windows
	@scripts/dist-windows $(WINDOWS_BUILD)

clean:
	rm -rf build build-*
