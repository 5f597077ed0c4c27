# The two commands of the README. Each installs what is missing first.
.PHONY: setup test demo asan fuzz release bench clean

setup:
	@bash scripts/setup.sh

test: setup
	cmake --preset debug
	cmake --build --preset debug
	ctest --preset debug

asan: setup
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# The sanitizer suite built by clang with fuzzing coverage, then each fuzz
# target for FUZZ_SECONDS on its seeds.
FUZZ_SECONDS ?= 60
fuzz: setup
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz
	bash scripts/fuzz.sh $(FUZZ_SECONDS)

release: setup
	cmake --preset release
	cmake --build --preset release

bench: release
	build/release/bin/benchmarks

demo: release
	bash scripts/demo.sh

clean:
	rm -rf build out
