# The two commands of the README. Each installs what is missing first.
.PHONY: setup test demo asan fuzz tsan release bench windows clean

setup:
	@bash scripts/setup.sh

# The Linux build and the Windows one: the debug suite, then the Windows
# binaries under Wine (the windows test preset).
test: setup
	cmake --preset debug
	cmake --build --preset debug
	cmake --preset win32
	cmake --build --preset win32
	ctest --preset debug
	ctest --preset windows

asan: setup
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# The sanitizer suite built by clang with fuzzing coverage, then each fuzz
# target for FUZZ_SECONDS on its seeds, then the live bench's threads under
# ThreadSanitizer.
FUZZ_SECONDS ?= 60
fuzz: setup
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz
	bash scripts/fuzz.sh $(FUZZ_SECONDS)
	$(MAKE) tsan

# The bench, the module and the host under ThreadSanitizer, driven by the
# live bench's API and browser tests.
tsan: setup
	cmake --preset tsan
	cmake --build --preset tsan
	ctest --preset tsan

release: setup
	cmake --preset release
	cmake --build --preset release

# The Windows build packed as dist/genvessel-win32.zip.
windows: setup
	cmake --preset win32
	cmake --build --preset win32
	bash scripts/package-windows.sh

bench: release
	build/release/bin/benchmarks

demo: release
	bash scripts/demo.sh

clean:
	rm -rf build out dist
