# pagelink: `make test` builds and runs every test, `make run` builds and starts the program.
# Both first install whatever system packages are missing (scripts/install-deps.sh).

.PHONY: deps test test-native test-asan test-win64 build-win32 run bench format clean

deps:
	@scripts/install-deps.sh

# Linux, then the same tests under AddressSanitizer/UBSan, then the Windows build under Wine,
# then the 32-bit Windows release build (this kernel cannot run it: compiling is the check).
test: deps
	@$(MAKE) --no-print-directory test-native test-asan test-win64 build-win32

test-native:
	cmake --preset native
	cmake --build --preset native
	ctest --preset native

test-asan:
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

test-win64:
	cmake --preset win64
	cmake --build --preset win64
	scripts/with-wine-display.sh ctest --preset win64

build-win32:
	cmake --preset win32
	cmake --build --preset win32

run: deps
	cmake --preset native
	cmake --build --preset native --target demo-site
	@[ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] || echo "No display found: the window needs a desktop session (or xvfb-run)."
	@echo "Sample site: build/native/demo-site (press 执行 to link its pages)"
	cd build/native/demo-site && ./pagelink

bench: deps
	cmake --preset native
	cmake --build --preset native --target pagelink_bench
	build/native/bench/pagelink_bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
