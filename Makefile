# The two set-up commands of the README, and a few more for developers.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
CLANG_DIR ?= build-clang
THREAD_DIR ?= build-thread
# Seconds per fuzz target: a short run in every `make test`, a longer one with `make fuzz`.
FUZZ_SECONDS ?= 300
TEST_FUZZ_SECONDS ?= 30
JOBS ?= $(shell nproc)
# Warnings are errors in every build `make test` makes; a player's `make run` with a newer compiler still builds.
WERROR ?= OFF

.PHONY: run test build deps test-release test-sanitize test-clang test-thread lint fuzz install format clean

PREFIX ?= /usr/local

run: build
	scripts/run-window $(BUILD_DIR)/app/kalvoro

# The sanitized run comes last, so that the output ends with CTest's summary.
test:
	$(MAKE) test-release lint WERROR=ON
	$(MAKE) test-clang
	$(MAKE) test-thread
	$(MAKE) fuzz FUZZ_SECONDS=$(TEST_FUZZ_SECONDS) WERROR=ON
	$(MAKE) test-sanitize

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DKALVORO_WERROR=$(WERROR) \
		-DCMAKE_EXPORT_COMPILE_COMMANDS=ON
	cmake --build $(BUILD_DIR) -j$(JOBS)

test-release: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j$(JOBS)

# clang-tidy over every source of the release build, and the formatting of every tracked source file.
lint: build
	scripts/lint $(BUILD_DIR) $(JOBS)

# The Qt-free libraries, the command-line tool and their tests built with clang, so both compilers stay clean.
test-clang: deps
	CXX=clang++ cmake -S . -B $(CLANG_DIR) -DCMAKE_BUILD_TYPE=Release -DKALVORO_WITH_QT=OFF -DKALVORO_WERROR=ON
	cmake --build $(CLANG_DIR) -j$(JOBS)
	ctest --test-dir $(CLANG_DIR) --output-on-failure -j$(JOBS) -LE heavy

# The engine, the game flow and the command-line tool under ThreadSanitizer, which cannot share a build with
# AddressSanitizer: the searches run on worker threads.
test-thread: deps
	cmake -S . -B $(THREAD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVORO_TSAN=ON -DKALVORO_WITH_QT=OFF \
		-DKALVORO_WERROR=ON
	cmake --build $(THREAD_DIR) -j$(JOBS)
	TSAN_OPTIONS=halt_on_error=1 ctest --test-dir $(THREAD_DIR) --output-on-failure -j$(JOBS) -L "engine|game|cli" -LE heavy

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVORO_SANITIZE=ON -DKALVORO_WERROR=ON
	cmake --build $(SANITIZE_DIR) -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j$(JOBS)

fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVORO_FUZZ=ON -DBUILD_TESTING=OFF \
		-DKALVORO_WERROR=$(WERROR)
	cmake --build $(FUZZ_DIR) -j$(JOBS) --target kalvoro_fuzzers
	scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

format:
	@command -v clang-format >/dev/null || { echo "make format needs clang-format (apt-get install clang-format)"; exit 1; }
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(CLANG_DIR) $(THREAD_DIR)
