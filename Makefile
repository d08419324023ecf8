# Two commands for a fresh Debian machine: `make run` and `make test`.
JOBS ?= $(shell nproc)
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := true

RELEASE_DIR := build/release
TEST_DIR := build/asan
FUZZ_DIR := build/fuzz
TSAN_DIR := build/tsan
# The network library runs transport threads beside the game's: its tests also run under
# ThreadSanitizer.
TSAN_TESTS := net_endpoint_tests net_transports_tests net_wire_tests net_transfer_tests net_trade_tests \
  net_players_tests net_remote_tests net_host_game_tests net_client_game_tests
# ctest runs exactly these: a test program the list leaves out is not built here.
empty :=
space := $(empty) $(empty)
TSAN_REGEX := ^($(subst $(space),|,$(strip $(TSAN_TESTS))))$$
FUZZ_SECONDS ?= 60
FUZZ_JOBS ?= 1

# The sanitizer builds keep full debug information for their reports, compressed in each program:
# about 140 test programs would otherwise take several gigabytes.
SMALL_DEBUG := -Wl,--compress-debug-sections=zlib

.PHONY: run test setup release asan tsan bench fuzz clean

setup:
	./scripts/setup.sh

# The game, its tools and its data only: the test programs are the sanitizer builds' and the
# benchmarks are `make bench`'s.
release: setup
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DRUBBLE_BENCH=ON
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target rubblemoor game_tools game_data

run: release
	./scripts/run-game.sh $(RELEASE_DIR)/out/bin/rubblemoor

asan: setup
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRUBBLE_SANITIZE=ON -DRUBBLE_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DCMAKE_EXE_LINKER_FLAGS="$(SMALL_DEBUG)"
	cmake --build $(TEST_DIR) -j $(JOBS)

test: asan
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)

tsan: setup
	cmake -S . -B $(TSAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRUBBLE_TSAN=ON -DRUBBLE_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DCMAKE_EXE_LINKER_FLAGS="$(SMALL_DEBUG)"
	cmake --build $(TSAN_DIR) -j $(JOBS) --target $(TSAN_TESTS)
	cd $(TSAN_DIR) && ctest --output-on-failure -j $(JOBS) -R '$(TSAN_REGEX)'

bench: release
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target benchmarks
	@cd $(RELEASE_DIR) && for b in bench/bench_*; do echo "== $$b"; $(CURDIR)/scripts/with-xvfb.sh ./$$b; done

# Each parser of outside input under libFuzzer for FUZZ_SECONDS (FUZZ_JOBS at once), with clang.
fuzz: setup
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang \
	  -DCMAKE_CXX_COMPILER=clang++ -DRUBBLE_FUZZ=ON -DRUBBLE_BENCH=OFF -DCMAKE_CXX_FLAGS_DEBUG="-O2 -g"
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_harnesses
	FUZZ_JOBS=$(FUZZ_JOBS) ./scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf build
