#pragma once
// Small helpers of the benchmarks: timing, medians, and a line of results.
#include <string>
#include <vector>

double NowMs();
double Median(std::vector<double> values);
void Report(const std::string& name, const std::string& text);
// Milliseconds from starting the program to its window with that caption appearing (the window is
// then closed); -1 when it did not appear.
double TimeToWindow(const std::string& exe, const std::string& caption);
