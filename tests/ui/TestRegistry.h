// The test classes of the window tests, registered by name (KIV_UI_TEST).
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace kiv::test {

struct TestEntry {
  const char* name;
  std::function<std::unique_ptr<QObject>()> make;
};

std::vector<TestEntry>& testRegistry();

struct RegisterTest {
  RegisterTest(const char* name, std::function<std::unique_ptr<QObject>()> make) {
    testRegistry().push_back({name, std::move(make)});
  }
};

}  // namespace kiv::test

#define KIV_UI_TEST(Class) \
  static const kiv::test::RegisterTest register##Class(#Class, [] { return std::make_unique<Class>(); });
