// Writes the large project into a new folder, for the browser suite, which
// times the game's turns on it: quenlo_large_project FOLDER
#include <filesystem>
#include <iostream>

#include "large_project.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: quenlo_large_project FOLDER\n";
        return 2;
    }
    try {
        std::filesystem::create_directories(argv[1]);
        quenlo::bench::write_large_project(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "quenlo_large_project: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
