# Thin wrapper over CMake. `make run` and `make test` are all a newcomer needs.

BUILD_DIR ?= build
SAN_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: deps build run test test-sanitize fuzz bench clean

deps:
	@sh scripts/deps.sh

build:
	@test -f $(BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(BUILD_DIR) $(GENERATOR) $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: deps build
	$(BUILD_DIR)/orv $(if $(FILES),$(FILES),$(BUILD_DIR)/demo/orv-demo.avi)

test: deps build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# Unit tests and the damaged-media corpus under AddressSanitizer and
# UndefinedBehaviorSanitizer.
test-sanitize: deps
	@test -f $(SAN_DIR)/CMakeCache.txt || cmake -S . -B $(SAN_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DORV_SANITIZE=ON
	cmake --build $(SAN_DIR) -j$(JOBS)
	cd $(SAN_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS) -L unit
	cd $(SAN_DIR) && QT_QPA_PLATFORM=offscreen G_DEBUG=fatal-criticals ASAN_OPTIONS=detect_leaks=0 \
	  tests/test_player_integration --gtest_filter='Clips/DamagedMedia.*'

# Every fuzz target for FUZZ_SECONDS (default 60) from its seed corpus, built
# with clang under AddressSanitizer and UndefinedBehaviorSanitizer.
fuzz: deps
	@test -f $(FUZZ_DIR)/CMakeCache.txt || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORV_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j$(JOBS)
	sh scripts/run-fuzz.sh $(FUZZ_DIR)/tests/fuzz tests/fuzz/corpus $(FUZZ_SECONDS)

# Playback cost, start-up and seek times against GStreamer's own tools (and
# mpv, installed when BENCH_PEERS=1); writes bench/RESULTS.md. BENCH_QUICK=1
# tries the harness on short clips.
bench: deps build
	@sh bench/deps.sh
	python3 bench/bench.py --build $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SAN_DIR) $(FUZZ_DIR)
