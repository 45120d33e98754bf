#include "TextNetwork.h"

#include <gtest/gtest.h>

#include "TextBuild.h"

namespace kiv::test {

bool compileNetworkInto(const TempDir& dir, const std::vector<SourceText>& files) {
  std::vector<data::SourceFile> sources;
  for (const auto& [name, text] : files) sources.push_back({name, text});
  const std::vector<std::string> messages = data::buildFromSources(sources, dir.path());
  if (messages.empty()) return true;
  std::string all;
  for (const std::string& m : messages) all += m + "\n";
  ADD_FAILURE() << "the test network does not compile:\n" << all;
  return false;
}

bool compileNetworkInto(const TempDir& dir, std::string_view source) {
  return compileNetworkInto(dir, {{"network.txt", std::string(source)}});
}

DataDir compileNetwork(const std::vector<SourceText>& files) {
  DataDir dir;
  compileNetworkInto(dir.temp(), files);
  return dir;
}

DataDir compileNetwork(std::string_view source) {
  return compileNetwork({{"network.txt", std::string(source)}});
}

}  // namespace kiv::test
