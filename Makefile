# The two commands: `make run` sets up, builds and starts the game;
# `make test` sets up, builds and runs every test headless; `make bench`
# runs the frame benchmark. Optional: `make install` (into PREFIX,
# /usr/local by default) and `make package` (build/brellow_<version>_<arch>.deb).
PREFIX ?= /usr/local
BUILD_DIR ?= build
.PHONY: run test build bench install package
run:
	bash scripts/run.sh
test:
	bash scripts/test.sh
build:
	bash scripts/setup.sh
bench:
	bash scripts/bench.sh
install: build
	cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"
package: build
	cmake --build $(BUILD_DIR) --target package
