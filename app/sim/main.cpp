#include <iostream>
#include <string>
#include <vector>

#include "app/sim/driver.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // Script and output are UTF-8 bytes, line ends as written.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    return quevor::sim::runDriver(args, std::cin, std::cout, std::cerr);
}
