#pragma once
// The report as a table for the console.
#include <ostream>

#include "BenchReport.h"

void printReportTable(const BenchReport& report, std::ostream& out);
