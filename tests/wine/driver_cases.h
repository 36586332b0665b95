#pragma once
#include <string>
#include <vector>

struct Programs {
    std::string shipped;  // the program as released
    std::string seams;    // the same sources with fault switches and a trace
    std::vector<std::string> variants;       // further builds the benchmark compares
    std::vector<std::string> variant_names;
};

struct DriverCase {
    const char* name;
    void (*run)(const Programs& programs);
};

const std::vector<DriverCase>& driver_cases();
