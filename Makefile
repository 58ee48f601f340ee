# The whole set-up on a fresh Debian machine: `make run` and `make test`.
.PHONY: all deps build prefix run test bench dist fuzz format clean install uninstall

all: build

deps:
	@scripts/deps.sh

build: deps
	@scripts/build.sh

# The tests' Wine prefix; `make run` makes and uses one of its own (build/wineprefix-run).
prefix: build
	@scripts/prepare-prefix.sh

run: build
	@scripts/run.sh

test: build
	@scripts/test.sh

bench: build
	@scripts/bench.sh

# The installer and the portable zip in dist/ (also made by every build).
dist: build
	@cmake --build build/win --target dist
	@ls dist

# Tarnwick for a Linux user's own Wine prefix: PREFIX (default ~/.local)/bin/tarnwick, a desktop entry
# and the .dpr/.pas association; `make uninstall` removes exactly what `make install` made.
install: build
	@scripts/install.sh install

uninstall:
	@scripts/install.sh uninstall

fuzz: deps
	@scripts/fuzz.sh

format:
	@find src tools tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
