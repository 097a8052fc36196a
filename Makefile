# Vantrek: `make run` starts the tracker, `make test` runs every test.
BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build test run clean bench

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/bin/vantrek ]; then \
	  $(BUILD_DIR)/bin/vantrek; \
	else \
	  $(BUILD_DIR)/bin/vantrek-cli tle $(BUILD_DIR)/bin/TLE/sample.tle; \
	fi

bench: build
	$(BUILD_DIR)/bin/vantrek-bench

clean:
	rm -rf $(BUILD_DIR)
