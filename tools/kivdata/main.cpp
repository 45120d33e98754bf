// kivdata: compiles the readable data sources into the program's data files
// and prints compiled data sets as text.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "Kivdata.h"

int main(int argc, char** argv) {
  // A file size limit (ulimit -f) makes the write that passes it fail, which
  // is reported, instead of killing the build halfway.
  std::signal(SIGXFSZ, SIG_IGN);
  std::vector<std::string> args(argv + 1, argv + argc);
  return kiv::data::runKivdata(args, std::cout, std::cerr);
}
