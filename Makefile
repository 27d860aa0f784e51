# The two commands of the README:
#   make run   installs what is missing, builds, starts the ruler under Wine
#   make test  installs what is missing, builds both builds, runs every test
# and for releases:
#   make dist  the portable zip and the installer in build/dist
NATIVE  := build/native
WINDOWS := build/windows
EXE     := $(WINDOWS)/mensor.exe
JOBS    ?= $(shell nproc)

.PHONY: all deps build native windows test unit e2e run bench dist clean

all: build

deps:
	@bash scripts/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -G Ninja -DMENSOR_EXE=$(abspath $(EXE)) >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

windows: deps
	@cmake -S . -B $(WINDOWS) -G Ninja -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/mingw-w64-x86_64.cmake) >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)

build: native windows

test: build
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

unit: native
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS) -E '^e2e\.'

e2e: build
	@cd $(NATIVE) && ctest --output-on-failure -R '^e2e\.'

bench: native
	@$(NATIVE)/mensor_bench

dist: windows
	@cmake --build $(WINDOWS) --target dist

run: build
	@bash scripts/run.sh $(abspath $(EXE))

clean:
	rm -rf build
