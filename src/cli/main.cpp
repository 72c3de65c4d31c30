// quillet-cli: saves and shows the game's settings from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return quillet::runCli(args, std::cout, std::cerr);
}
