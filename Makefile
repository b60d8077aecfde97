# The two commands: `make run` sets up, builds and starts the game;
# `make test` sets up, builds and runs every test headless.
.PHONY: run test build
run:
	bash scripts/run.sh
test:
	bash scripts/test.sh
build:
	bash scripts/setup.sh
