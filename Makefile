# The two everyday commands: `make run` and `make test`. Each first installs
# whatever Debian packages are missing, then configures and builds.
.PHONY: deps configure build run test test-asan fuzz memcheck clean bench fresh-debian-check \
	format-check

# WERROR=ON makes every compiler warning an error, as CI builds.
WERROR ?= OFF

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake --preset default -DCMAKE_COMPILE_WARNING_AS_ERROR=$(WERROR)

build: configure
	cmake --build --preset default

run: build
	./build/default/ui/brelkot

test: build
	ctest --preset default

test-asan: deps
	cmake --preset asan -DCMAKE_COMPILE_WARNING_AS_ERROR=$(WERROR)
	cmake --build --preset asan
	ctest --preset asan

clean:
	rm -rf build

# Every C++ file as the committed .clang-format lays it out; names those that differ.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format-14 --dry-run --Werror

# Runs each fuzz target for FUZZ_SECONDS from its committed seed corpus; the
# command line's prints on every run, so its output is closed.
FUZZ_SECONDS ?= 60
FUZZERS := entry_utf8_fuzz entry_utf16_fuzz display_fuzz commandline_fuzz

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	for f in $(FUZZERS); do \
	    quiet=; [ $$f = commandline_fuzz ] && quiet=-close_fd_mask=3; \
	    mkdir -p build/fuzz/corpus/$$f && \
	    ./build/fuzz/tests/fuzz/$$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -artifact_prefix=build/fuzz/ \
	        $$quiet \
	        build/fuzz/corpus/$$f tests/fuzz/corpus/$$f || exit 1; \
	done

# The real program under valgrind's memcheck in a scripted session.
memcheck: build
	bash scripts/memcheck.sh ./build/default/ui/brelkot build/default/memcheck.log

# Start-up, switching, Calculate, memory and size against a minimal Qt
# program; prints the table and writes build/default/bench-results.json.
# The benchmarks share the default build, configured with BRELKOT_BENCH on.
bench: deps
	cmake --preset bench
	cmake --build --preset bench --target bench

# make test on a brand-new Debian 12 root, and the package installed into
# another; needs root or sudo, and keeps its roots under build/fresh-debian.
fresh-debian-check:
	bash scripts/fresh-debian-check.sh
