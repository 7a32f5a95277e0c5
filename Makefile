# The two commands of the README: `make run` and `make test`. Both set the machine up first.
JOBS ?= $(shell nproc)

.PHONY: setup release run test asan bench fuzz clean

setup:
	./tools/setup

release: setup
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DWENDREL_TESTS=OFF
	cmake --build build/release -j $(JOBS)

run: release
	./build/release/wendrel

asan: setup
	cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWENDREL_SANITIZE=ON
	cmake --build build/asan -j $(JOBS)

# The tests run where only 127.0.0.1 can be reached (tools/loopback-only). Each test has its
# environment from CMakeLists.txt; the option here also covers the listing of the tests.
test: asan
	cd build/asan && ASAN_OPTIONS=detect_stack_use_after_return=1 ../../tools/loopback-only ctest --output-on-failure -j $(JOBS)

bench: setup
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DWENDREL_TESTS=OFF -DWENDREL_BENCH=ON
	cmake --build build/bench -j $(JOBS)

fuzz: setup
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWENDREL_TESTS=OFF -DWENDREL_FUZZ=ON
	cmake --build build/fuzz -j $(JOBS)

clean:
	rm -rf build
