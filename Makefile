# The two commands: `make run` sets up, builds and starts the game;
# `make test` sets up, builds and runs every test headless. `make check`
# only builds and runs the ctest tests, side by side (no hardening checks; it
# installs nothing, but needs what `make setup` installs). `make bench` runs
# the frame benchmark. Optional: `make install` (into PREFIX, /usr/local by
# default) and `make package` (build/brellow_<version>_<arch>.deb). Only
# `make setup`, which run, test and bench begin with, installs packages.
PREFIX ?= /usr/local
BUILD_DIR ?= build
.PHONY: setup build check run test bench install package
setup:
	bash scripts/setup.sh
build:
	bash scripts/build.sh
check:
	bash scripts/check.sh
run: setup
	bash scripts/run.sh
test: setup
	bash scripts/test.sh
bench: setup
	bash scripts/bench.sh
install: build
	cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"
package: build
	cmake --build $(BUILD_DIR) --target package
