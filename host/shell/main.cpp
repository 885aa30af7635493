// vondrel: the reference client shell. Loads a job module, starts its job form on an
// installation and lets a script or the person at the terminal work it.
#include "ShellRun.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    return vondrel::RunShell(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout, std::cerr);
}
