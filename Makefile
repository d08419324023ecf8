# Two commands for a fresh Debian machine: `make run` and `make test`.
JOBS ?= $(shell nproc)
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := true

RELEASE_DIR := build/release
TEST_DIR := build/asan

.PHONY: run test setup release asan bench clean

setup:
	./scripts/setup.sh

release: setup
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DRUBBLE_BENCH=ON
	cmake --build $(RELEASE_DIR) -j $(JOBS)

run: release
	./scripts/run-game.sh $(RELEASE_DIR)/out/bin/rubblemoor

asan: setup
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRUBBLE_SANITIZE=ON -DRUBBLE_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
	cmake --build $(TEST_DIR) -j $(JOBS)

test: asan
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)

bench: release
	@cd $(RELEASE_DIR) && for b in bench/bench_*; do echo "== $$b"; $(CURDIR)/scripts/with-xvfb.sh ./$$b; done

clean:
	rm -rf build
