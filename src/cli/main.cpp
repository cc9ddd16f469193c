// tunecrate-cli: fills a music stick from a collection, from the terminal.
#include <iostream>

#include "cli/CliApp.h"

int main(int argc, char** argv) {
    CliApp app(std::cout, std::cerr);
    return app.Run(argc, argv);
}
