// Writes the benchmarks' large project into a folder, so that a whole build
// can be measured from outside, for example its peak memory:
//   quenlo_write_large_project DIR [--doubled]
//   /usr/bin/time -v quenlo-cli build --release DIR

#include <filesystem>
#include <iostream>
#include <string>

#include "large_project.h"

int main(int argc, char** argv) {
    const std::string doubled = "--doubled";
    if (argc < 2 || argc > 3 || (argc == 3 && argv[2] != doubled)) {
        std::cerr << "usage: quenlo_write_large_project DIR [--doubled]\n";
        return 2;
    }
    std::filesystem::create_directories(argv[1]);
    quenlo::bench::write_large_project(argv[1], argc == 3 ? quenlo::bench::doubled_largest_project()
                                                          : quenlo::bench::largest_project());
    return 0;
}
