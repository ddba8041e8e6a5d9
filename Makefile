# Two entry points for newcomers: `make run` and `make test`. Both install the
# Debian packages that are missing, configure, build, then start Quadrell or
# run the whole test suite: as built, again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a few seconds of each fuzz target.

BUILD_DIR ?= build
ASAN_DIR  ?= build-asan
FUZZ_DIR  ?= build-fuzz
CMAKE_ARGS ?=
# How long `make fuzz` runs each target, and `make fuzz-smoke` (part of `make test`).
FUZZ_SECONDS ?= 600
FUZZ_SMOKE_SECONDS ?= 5
FUZZERS = deck_import listing nec2d_deck
# Inputs large enough to reach the readers' bounds on what a file may make
# them allocate (a deck whose tags fan out is about 150 KB), and memory that
# a run may use before an input counts as a finding; libFuzzer's limit on a
# single allocation follows it.
FUZZ_MAX_LEN ?= 262144
FUZZ_RSS_LIMIT_MB ?= 2048

.PHONY: all setup build run test test-plain test-asan fuzz-build fuzz fuzz-smoke package bench \
    format clean

all: build

setup:
	@./scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DQUADRELL_WERROR=ON $(CMAKE_ARGS) >/dev/null
	@cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/bin/quadrell

test: test-plain test-asan fuzz-smoke

test-plain: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# The same suite with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: setup
	@cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DQUADRELL_SANITIZE=ON -DQUADRELL_WERROR=ON -DQUADRELL_BUILD_BENCHMARKS=OFF \
	    $(CMAKE_ARGS) >/dev/null
	@cmake --build $(ASAN_DIR)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j2

# The readers of outside files under libFuzzer, built with clang. Each run
# starts from the seed corpus in fuzz/corpus/<name> and keeps what it finds
# new, and any crashing input, in $(FUZZ_DIR).
fuzz-build: setup
	@CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DQUADRELL_FUZZ=ON -DQUADRELL_BUILD_TESTS=OFF -DQUADRELL_BUILD_BENCHMARKS=OFF \
	    $(CMAKE_ARGS) >/dev/null
	@cmake --build $(FUZZ_DIR) --target fuzzers

fuzz-smoke: fuzz-build
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=$(FUZZ_SMOKE_SECONDS)

fuzz: fuzz-build
	@for name in $(FUZZERS); do \
	    echo "== fuzz_$$name for $(FUZZ_SECONDS) s"; \
	    mkdir -p $(FUZZ_DIR)/corpus/$$name $(FUZZ_DIR)/findings/$$name; \
	    log=$(FUZZ_DIR)/fuzz_$$name.log; \
	    if ! $(FUZZ_DIR)/bin/fuzz_$$name -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	        -max_len=$(FUZZ_MAX_LEN) -rss_limit_mb=$(FUZZ_RSS_LIMIT_MB) \
	        -artifact_prefix=$(FUZZ_DIR)/findings/$$name/ \
	        $(FUZZ_DIR)/corpus/$$name fuzz/corpus/$$name >$$log 2>&1; then \
	        tail -n 60 $$log; exit 1; \
	    fi; \
	    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+[[:space:]]+DONE)' $$log; \
	done

# A Debian package of a Release build, in build-release/.
package: setup
	@cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUADRELL_BUILD_TESTS=OFF \
	    -DQUADRELL_BUILD_BENCHMARKS=OFF $(CMAKE_ARGS) >/dev/null
	@cmake --build build-release
	cd build-release && cpack

bench: setup
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_ARGS) >/dev/null
	@cmake --build build-bench
	@for b in build-bench/bin/bench_*; do echo "== $$b"; $$b; done

format:
	find model nec ui editor app plots solver tests bench fuzz -name '*.cpp' -o -name '*.h' \
	    | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR) build-bench build-release
