# Talewick: the two set-up commands are `make run` and `make test`.
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
ASAN_BUILD ?= build-asan
JOBS ?= 2
FUZZ_SECONDS ?= 60
CONTENT = $(BUILD)/content

.PHONY: all deps configure build content run test asan-monkey fuzz fuzz-build bench asan fresh-check \
	package package-check clean

all: build

deps:
	@tools/install-deps

configure: deps
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The kit writes the content tree while building (target `content`); this just names it.
content: build

# The build tree's program on the build tree's content; what it writes goes to $(BUILD)/user,
# its settings to $(BUILD)/config.
run: build
	@if [ -x $(BUILD)/bin/talewick ] && [ -d $(CONTENT)/play ]; then \
		$(BUILD)/bin/talewick --data-dir $(CONTENT) --user-dir $(BUILD)/user --config-dir $(BUILD)/config; \
	else echo "talewick is not built yet: the build stopped after compiling"; fi

# After the tests, the sanitizer build (the fuzz build is built with AddressSanitizer and
# UndefinedBehaviorSanitizer) runs 2,000 monkey events and then each fuzzer.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory fuzz-build
	bash tests/scenarios/monkey.sh $(abspath $(FUZZ_BUILD))/bin/talewick-drive $(abspath $(CONTENT)) 2000 7
	tools/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The scripted driver built with the sanitizers, under 2,000 random events (the monkey test).
asan-monkey: build
	@test -f $(ASAN_BUILD)/build.ninja || CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -G Ninja \
		-DCMAKE_BUILD_TYPE=Debug -DTALEWICK_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target talewick-drive
	cmake $(BUILD) > /dev/null
	cd $(BUILD) && ctest -R monkey_sanitized --output-on-failure

fuzz-build: deps
	@test -f $(FUZZ_BUILD)/build.ninja || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALEWICK_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers talewick-drive

fuzz: fuzz-build
	tools/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	tools/run-benchmarks $(BUILD)

asan: deps
	@test -f $(ASAN_BUILD)/build.ninja || CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -G Ninja \
		-DCMAKE_BUILD_TYPE=Debug -DTALEWICK_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

# The Debian package (CPack; its dependencies come from the libraries the program links).
package: build
	cd $(BUILD) && cpack -G DEB

# The package installed with apt into a fresh Debian 12 root, started there under Xvfb,
# stopped by SIGTERM and removed (slow, needs root; not part of `make test`).
package-check: package
	tools/fresh-check --package $(BUILD)/talewick_*.deb

# A clean Debian 12 root, a clone of HEAD and `make test` in it (slow, needs root).
fresh-check:
	tools/fresh-check

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(ASAN_BUILD)
