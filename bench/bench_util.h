#pragma once
// Small helpers of the benchmarks: timing, medians, and a line of results.
#include <string>
#include <vector>

double NowMs();
double Median(std::vector<double> values);
void Report(const std::string& name, const std::string& text);
