# Vantrek: `make run` starts the tracker, `make test` runs every test.
BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build test sanitize-test test-tsan fuzz-long run clean bench install package coverage

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory sanitize-test
	$(MAKE) --no-print-directory test-tsan

# The core and its tests again under AddressSanitizer and UndefinedBehaviorSanitizer
# (clang), with the fuzzers run briefly from their seed corpus.
SANITIZE_DIR ?= build-sanitize
SANITIZE_FLAGS = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREK_SANITIZE=address,undefined \
  -DVANTREK_FUZZ=ON -DVANTREK_WERROR=OFF -DVANTREK_BUILD_APP=OFF -DVANTREK_BUILD_BENCH=OFF

sanitize-test: deps
	CC=clang CXX=clang++ cmake -S . -B $(SANITIZE_DIR) $(SANITIZE_FLAGS)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS)

# A longer fuzzing session: FUZZ_SECONDS per target.
FUZZ_SECONDS ?= 300
fuzz-long: deps
	CC=clang CXX=clang++ cmake -S . -B $(SANITIZE_DIR) $(SANITIZE_FLAGS)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	for f in $(SANITIZE_DIR)/bin/fuzz_*; do \
	  [ -x "$$f" ] || continue; n=$$(basename $$f); c=$${n#fuzz_}; \
	  mkdir -p $(SANITIZE_DIR)/fuzz-work/$$c; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -max_len=16384 -print_final_stats=1 \
	      $(SANITIZE_DIR)/fuzz-work/$$c tests/fuzz/corpus/$$c || exit 1; \
	done

# The GPS and station tests again under the thread sanitizer: the reader
# thread and the interface share the fix record, the radio and rotator link
# and the interface its request and status. Only what those tests need is built.
TSAN_BUILD_DIR ?= build-tsan
test-tsan: deps
	cmake -S . -B $(TSAN_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREK_SANITIZE=thread \
	  -DVANTREK_BUILD_APP=OFF -DVANTREK_BUILD_BENCH=OFF
	cmake --build $(TSAN_BUILD_DIR) -j $(JOBS) --target test_gps test_station
	TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" $(TSAN_BUILD_DIR)/bin/test_gps
	TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" $(TSAN_BUILD_DIR)/bin/test_station

# Line and branch coverage of src/ by the whole suite, the Qt tests included
# (gcc --coverage, Debian's gcovr), in build-coverage/; not part of `make test`.
COVERAGE_DIR ?= build-coverage
coverage: deps
	cmake -S . -B $(COVERAGE_DIR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="--coverage -O0 -fprofile-update=atomic" \
	  -DCMAKE_EXE_LINKER_FLAGS=--coverage -DVANTREK_BUILD_BENCH=OFF
	cmake --build $(COVERAGE_DIR) -j $(JOBS)
	find $(COVERAGE_DIR) -name '*.gcda' -delete
	cd $(COVERAGE_DIR) && ctest -j $(JOBS) --output-on-failure
	gcovr --root . --object-directory $(COVERAGE_DIR) --filter 'src/' --exclude 'src/.*/generated/' \
	  --exclude-directories '.*/CMakeFiles/[0-9.]+' \
	  --exclude-unreachable-branches --exclude-throw-branches --print-summary \
	  --txt $(COVERAGE_DIR)/coverage.txt

run: build
	@if [ -x $(BUILD_DIR)/bin/vantrek ]; then \
	  $(BUILD_DIR)/bin/vantrek; \
	else \
	  $(BUILD_DIR)/bin/vantrek-cli tle $(BUILD_DIR)/bin/TLE/sample.tle; \
	fi

# Installs into PREFIX (bin/, share/vantrek/, the menu entry, icon and man page).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package for /usr: apt install ./build/vantrek_*.deb
package: build
	cd $(BUILD_DIR) && cpack -G DEB

bench: build
	$(BUILD_DIR)/bin/vantrek-bench
	@if [ -x $(BUILD_DIR)/bin/vantrek-bench-qt ]; then $(BUILD_DIR)/bin/vantrek-bench-qt; fi

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(TSAN_BUILD_DIR) $(COVERAGE_DIR)
