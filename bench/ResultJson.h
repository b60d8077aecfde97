#pragma once
// The report as JSON, for scripts that track the numbers from run to run.
#include <ostream>
#include <string>

#include "BenchReport.h"

void writeReportJson(const BenchReport& report, std::ostream& out);

// Writes to path; false when the file cannot be written.
bool saveReportJson(const BenchReport& report, const std::string& path);

// How the frame times and pass times were taken, in words; shown in the
// table and stored in the JSON.
std::string timingMethod(const BenchOptions& options);
