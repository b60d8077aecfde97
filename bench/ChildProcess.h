#pragma once
// Runs one size's measurement in a child process, so that each size starts
// from a fresh process (cold caches, its own peak resident memory) and the
// game's own console lines stay out of the benchmark's table.
#include <functional>
#include <string>

#include "BenchResults.h"

// Forks; the child changes to workDir, silences its standard output, calls
// measure and sends the result back through a pipe. A child that throws or
// dies yields a result with ok false and the reason in error.
SizeResult measureInChild(const std::string& workDir, const std::function<SizeResult()>& measure);
