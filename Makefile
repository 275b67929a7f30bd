# The two everyday commands: `make run` and `make test`. Each first installs
# whatever Debian packages are missing, then configures and builds.
.PHONY: deps configure build run test test-asan clean

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake --preset default

build: configure
	cmake --build --preset default

run: build
	./build/default/ui/brelkot

test: build
	ctest --preset default

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

clean:
	rm -rf build
