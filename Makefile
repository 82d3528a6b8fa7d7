# Entry points: `make run`, `make test`, `make demo`, `make bench`, `make package`.
BUILD ?= build
JOBS ?= $(shell nproc)
DEMO_DIR ?= $(CURDIR)/demo-data

.PHONY: setup build run test demo bench package clean

setup:
	@bash scripts/setup.sh

# ccache, where the machine has it, spares rebuilding what did not change.
CCACHE := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

$(BUILD)/CMakeCache.txt:
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CCACHE) >/dev/null

build: setup $(BUILD)/CMakeCache.txt
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/corvalisto $(ARGS)

test: build
	@bash scripts/check-includes.sh
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

demo: build
	rm -rf $(DEMO_DIR)
	$(BUILD)/corvalisto --dir $(DEMO_DIR) --demo

bench: build
	@for b in $(BUILD)/bench/bench_*; do QT_QPA_PLATFORM=offscreen $$b; done

# The Debian package, $(BUILD)/corvalisto_VERSION_amd64.deb: the program and its packaging files only.
package: setup $(BUILD)/CMakeCache.txt
	@cmake --build $(BUILD) -j $(JOBS) --target corvalisto packaging_files
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
