# Thin wrapper over CMake. `make test` is what CI runs on a fresh machine.
BUILD      ?= build
TEST_BUILD ?= build-test
FUZZ_BUILD ?= build-fuzz
JOBS       ?= 2
DOVE_CSV   ?= ../shared/data/dove.csv
PREFIX     ?= /usr/local

.PHONY: all bootstrap build run test bench fuzz dove install package clean windows windows-test

all: build

bootstrap:
	tools/bootstrap

build: bootstrap
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHIMESET_TESTS=OFF
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/bin/chimeset

test: bootstrap
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCHIMESET_SANITIZE=ON -DCHIMESET_WERROR=ON -DCHIMESET_BENCH=OFF
	cmake --build $(TEST_BUILD) -j$(JOBS)
	ctest --test-dir $(TEST_BUILD) --output-on-failure -j$(JOBS)
	$(MAKE) --no-print-directory windows-test

bench: build
	@for b in $(BUILD)/bench/*_bench; do [ -f "$$b" ] && [ -x "$$b" ] || continue; "$$b" || exit 1; done

# The real tower database: converts a Dove's Guide CSV download (never committed) and puts
# it beside the programs in place of the sample.
dove: build
	@test -f "$(DOVE_CSV)" || { echo "make dove: no Dove's Guide download at $(DOVE_CSV); give its path as DOVE_CSV=..." >&2; exit 1; }
	$(BUILD)/bin/chimedove "$(DOVE_CSV)" $(BUILD)/bin/DoveData.CB0

fuzz: bootstrap
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCHIMESET_FUZZ=ON -DCHIMESET_TESTS=OFF -DCHIMESET_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target chimeset_fuzzers

# Installs the programs, their data, desktop entries and icons under PREFIX ($$HOME/.local for
# one user), then tells the desktop of the log file type where its tools are there.
install: build
	cmake --install $(BUILD) --prefix "$(PREFIX)"
	if command -v update-mime-database >/dev/null; then update-mime-database "$(PREFIX)/share/mime"; fi
	if command -v update-desktop-database >/dev/null; then update-desktop-database "$(PREFIX)/share/applications"; fi

# A Debian package of the same programs and files: $(BUILD)/chimeset_<version>_<arch>.deb.
package: build
	cd $(BUILD) && cpack -G DEB
# Windows without Qt, cross-built with MinGW-w64 and tested under Wine: the core, chimedove.exe,
# CB2TB.dll in both widths and the core tests (tools/windows-build says what it does).
WINDOWS_BUILD ?= build-windows

windows: bootstrap
	WINDOWS_BUILD=$(WINDOWS_BUILD) JOBS=$(JOBS) tools/windows-build build

windows-test: bootstrap
	WINDOWS_BUILD=$(WINDOWS_BUILD) JOBS=$(JOBS) tools/windows-build test

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)
