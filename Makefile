# The two set-up commands of the README:
#   make test    installs what is missing, builds everything and runs every test
#   make run     the same set-up, then starts the English program (make run-nl: Dutch)

BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 4)

.PHONY: all deps configure build test run run-nl bench clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) --parallel $(JOBS)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel $(JOBS)

run: build
	@$(BUILD_DIR)/app/norvale_en

run-nl: build
	@$(BUILD_DIR)/app/norvale_nl

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	@rm -rf $(BUILD_DIR)
