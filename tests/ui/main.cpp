// Runs the window test classes: all of them, or the one named by the first
// argument (the other arguments go to QtTest).
#include <QApplication>
#include <QTest>
#include <cstring>
#include <vector>

#include "TestRegistry.h"
#include "UiWorld.h"
#include "text/Codec.h"

namespace kiv::test {

std::string sjis(const std::string& utf8) { return utf8ToSjis(utf8).value(); }

std::vector<TestEntry>& testRegistry() {
  static std::vector<TestEntry> entries;
  return entries;
}

}  // namespace kiv::test

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
  std::vector<char*> args{argv[0]};
  for (int i = only ? 2 : 1; i < argc; ++i) args.push_back(argv[i]);
  int failures = 0;
  bool ran = false;
  for (const kiv::test::TestEntry& entry : kiv::test::testRegistry()) {
    if (only && std::strcmp(only, entry.name) != 0) continue;
    ran = true;
    std::unique_ptr<QObject> suite = entry.make();
    failures += QTest::qExec(suite.get(), static_cast<int>(args.size()), args.data());
  }
  return ran ? failures : 1;
}
