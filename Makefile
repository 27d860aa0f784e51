# The two commands of the README:
#   make run   installs what is missing, builds, starts the ruler under Wine
#   make test  installs what is missing, builds both builds, runs every test
#              (the magnifier soak and the two-instance test in short forms)
#   make soak  the long forms of those two
# and for releases:
#   make dist  the portable zip and the installer in build/dist
NATIVE  := build/native
WINDOWS := build/windows
FUZZ    := build/fuzz
EXE     := $(WINDOWS)/mensor.exe
JOBS    ?= $(shell nproc)

.PHONY: all deps build native windows fuzzers fuzz test unit e2e soak run bench dist clean

all: build

deps:
	@bash scripts/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -G Ninja -DMENSOR_EXE=$(abspath $(EXE)) -DMENSOR_FUZZ_DIR=$(abspath $(FUZZ)) >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

windows: deps
	@cmake -S . -B $(WINDOWS) -G Ninja -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/mingw-w64-x86_64.cmake) >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)

# The fuzz targets: a clang build with libFuzzer and the sanitizers.
fuzzers: deps
	@cmake -S . -B $(FUZZ) -G Ninja -DMENSOR_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)

build: native windows fuzzers

# Each fuzz target for FUZZ_SECONDS (default ten minutes), one after another.
FUZZ_SECONDS ?= 600
fuzz: fuzzers
	@for t in $$(find $(FUZZ) -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort); do \
	  echo "fuzz: $$t for $(FUZZ_SECONDS) s"; \
	  bash tests/fuzz/run_fuzzer.sh $$t $(FUZZ_SECONDS) || exit 1; \
	done

# Every test but the long soaks (label soak), which `make soak` runs.
test: build
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS) -LE soak

unit: native fuzzers
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS) -E '^(e2e|soak)\.'

e2e: build
	@cd $(NATIVE) && ctest --output-on-failure -R '^e2e\.'

# The magnifier soak for two minutes and 20 rounds of two rulers closed at once.
soak: build
	@cd $(NATIVE) && ctest --output-on-failure -L soak

bench: native
	@$(NATIVE)/mensor_bench

dist: windows
	@cmake --build $(WINDOWS) --target dist

run: build
	@bash scripts/run.sh $(abspath $(EXE))

clean:
	rm -rf build
