# The two commands: `make run` sets up, builds and starts the game;
# `make test` sets up, builds and runs every test headless; `make bench`
# runs the frame benchmark.
.PHONY: run test build bench
run:
	bash scripts/run.sh
test:
	bash scripts/test.sh
build:
	bash scripts/setup.sh
bench:
	bash scripts/bench.sh
