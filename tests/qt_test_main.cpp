#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Test discovery runs this binary at build time without the test environment,
// so headless mode is chosen here when nothing else asks for a platform.
int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
