#pragma once
#include <string>
#include <vector>

struct Programs {
    std::string shipped;  // the program as released
    std::string seams;    // the same sources with fault switches and a trace
};

struct DriverCase {
    const char* name;
    void (*run)(const Programs& programs);
};

const std::vector<DriverCase>& driver_cases();
