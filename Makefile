# The two commands that set up everything on a fresh Debian 12 machine:
#   make run    installs what is missing, builds, starts ORV.exe under Wine
#   make test   installs what is missing, builds, runs every test (CTest)
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: all deps build test run bench fuzz clean
all: build

deps:
	@tools/install-deps

build: deps
	@cmake -S . -B $(BUILD) -G Ninja >/dev/null
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

run: build
	tools/run-orv $(BUILD)

bench: build
	cmake --build $(BUILD) --target benchmarks -j$(JOBS)
	tools/run-benchmarks $(BUILD)

fuzz: build
	cmake --build $(BUILD) --target native_tests
	$(BUILD)/native/list_fuzzer -max_total_time=300 $(BUILD)/native/fuzz-corpus

clean:
	rm -rf $(BUILD)
