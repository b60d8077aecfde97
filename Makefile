# The two commands: `make run` sets up, builds and starts the game;
# `make test` sets up, builds and runs every test headless; `make bench`
# runs the frame benchmark. Optional: `make install` (into PREFIX,
# /usr/local by default).
PREFIX ?= /usr/local
BUILD_DIR ?= build
.PHONY: run test build bench install
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
