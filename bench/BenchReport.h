#pragma once
// One line per figure: `bench <name>: <value> <unit>; reference <what>: <value> <unit>; ratio <r>`.
#include <functional>
#include <string>
#include <vector>

namespace orv::bench {

double Median(std::vector<double> values);
// Milliseconds one call of `work` takes, as the median of `repeats` calls.
double MedianMs(int repeats, const std::function<void()>& work);
void Report(const std::string& name, double value, const std::string& unit, const std::string& reference,
            double referenceValue);

} // namespace orv::bench
