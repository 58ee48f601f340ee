# The whole set-up on a fresh Debian machine: `make run` and `make test`.
.PHONY: all deps build prefix run test bench fuzz format clean

all: build

deps:
	@scripts/deps.sh

build: deps
	@scripts/build.sh

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
