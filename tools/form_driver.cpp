// form-driver: runs a scenario script from standard input against the core,
// without a window. See the README's section for developers.
#include "script.h"

#include <iostream>
#include <string>

int main() {
    velmora::tools::RecordingWarnings warnings;
    velmora::Form form(warnings);
    velmora::tools::ScriptRunner runner(form, warnings);
    std::string line;
    int lineNumber = 0;
    while (std::getline(std::cin, line)) {
        ++lineNumber;
        std::string error;
        if (!runner.runLine(line, std::cout, error)) {
            std::cerr << "form-driver: line " << lineNumber << ": " << error << '\n';
            return 2;
        }
    }
    return 0;
}
