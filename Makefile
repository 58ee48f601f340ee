# The whole set-up on a fresh Debian machine: `make run` and `make test`.
.PHONY: all deps build prefix run test bench fuzz format clean
NATIVE := build/native
WIN := build/win

all: build

deps:
	@scripts/deps.sh

build: deps
	@cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE)
	@cmake -S . -B $(WIN) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake >/dev/null
	@cmake --build $(WIN)

prefix: build
	@scripts/prepare-prefix.sh

run: prefix
	@scripts/run.sh

test: prefix
	@scripts/test.sh

bench: prefix
	@scripts/bench.sh

fuzz: deps
	@scripts/fuzz.sh

format:
	@find src tools tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
