# The set-up commands of the README:
#   make test    installs what is missing, builds everything and runs every test
#   make run     the same set-up, then starts the English program (make run-nl: Dutch)
#   make test-sanitize   as make test, built in build-sanitize/ with the address
#                and undefined-behaviour sanitizers

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= $(shell nproc 2>/dev/null || echo 4)

.PHONY: all deps configure build test test-sanitize run run-nl bench clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) --parallel $(JOBS)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel $(JOBS)

# Every sanitizer finding is fatal. The only leaks let through are the CAD
# kernel's own (tests/lsan_suppressions.txt). The environment is also set for
# the build: it runs each test program once to list its tests.
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan_suppressions.txt:print_suppressions=0

test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORVALE_SANITIZE=ON -DNORVALE_BUILD_BENCH=OFF > /dev/null
	@$(SANITIZE_ENV) cmake --build $(SANITIZE_DIR) --parallel $(JOBS)
	@cd $(SANITIZE_DIR) && $(SANITIZE_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel $(JOBS)

run: build
	@$(BUILD_DIR)/app/norvale_en

run-nl: build
	@$(BUILD_DIR)/app/norvale_nl

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	@rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
