// Writes the sample title into a folder (the program's folder):
//   sample_title FOLDER

#include <exception>
#include <iostream>

#include "testkit/sample_title.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: sample_title FOLDER\n";
        return 2;
    }
    try {
        testkit::WriteSampleTitle(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "sample_title: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
