#include <iostream>

#include "app/posix/PosixExtractionFiles.h"
#include "files/zipextract.h"

int main(int argc, char** argv) {
    PosixExtractionFiles files;
    return RunZipExtract(files, std::vector<std::string>(argv + 1, argv + argc), std::cout);
}
