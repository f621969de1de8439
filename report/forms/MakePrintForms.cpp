// Turns the descriptions of the print forms into the template workbooks and their text twins:
//   MakePrintForms <source folder> <output folder>
// Nothing is written when a description has an error.
#include <cstdio>
#include <exception>

#include "report/forms/PrintForms.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: MakePrintForms <source folder> <output folder>\n");
        return 2;
    }
    try {
        std::string error;
        if (!WritePrintFormFiles(BuildPrintFormFiles(LoadPrintForms(argv[1])), argv[2], &error)) {
            std::fprintf(stderr, "MakePrintForms: %s\n", error.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
