# Two entry points for newcomers: `make run` and `make test`. Both install the
# Debian packages that are missing, configure, build, then start Quadrell or
# run the whole test suite.

BUILD_DIR ?= build
ASAN_DIR  ?= build-asan
CMAKE_ARGS ?=

.PHONY: all setup build run test test-asan bench format clean

all: build

setup:
	@./scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DQUADRELL_WERROR=ON $(CMAKE_ARGS) >/dev/null
	@cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/bin/quadrell

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# The same suite with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: setup
	@cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DQUADRELL_SANITIZE=ON -DQUADRELL_WERROR=ON $(CMAKE_ARGS) >/dev/null
	@cmake --build $(ASAN_DIR)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j2

bench: setup
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_ARGS) >/dev/null
	@cmake --build build-bench
	@for b in build-bench/bin/bench_*; do echo "== $$b"; $$b; done

format:
	find model nec editor app plots solver tests bench -name '*.cpp' -o -name '*.h' \
	    | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) build-bench
