# Entry points for people and CI. `make run` and `make test` do the whole
# set-up on a fresh Debian machine: packages, configure, build.
BUILD ?= build
CMAKE_FLAGS ?=
CTEST_ARGS ?=
JOBS ?= $(shell nproc)

.PHONY: run test build configure deps fuzz clean package screenshots

run: build
	@scripts/run-kelvane $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

# A .deb of the programs, the demo, icons, desktop entries and MIME types.
package: build
	@cd $(BUILD) && cpack -G DEB

# Every picture in docs/screenshots/, made anew from the demo track.
screenshots: build
	@scripts/make-screenshots $(BUILD)

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

deps:
	@scripts/install-deps

fuzz: deps
	@scripts/run-fuzzers

clean:
	rm -rf build build-*
