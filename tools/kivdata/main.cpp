// kivdata: compiles the readable data sources into the program's data files
// and prints compiled data sets as text.
#include <iostream>
#include <string>
#include <vector>

#include "Kivdata.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return kiv::data::runKivdata(args, std::cout, std::cerr);
}
