#include "QtTestApplication.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

int argc = 1;
char programName[] = "kalvoro_window_tests";
char* argv[] = { programName, nullptr };

class TQtEnvironment : public ::testing::Environment {
public:
    void SetUp() override { app = std::make_unique<QApplication>(argc, argv); }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QApplication> app;
};

TQtEnvironment* const environment
    = static_cast<TQtEnvironment*>(::testing::AddGlobalTestEnvironment(new TQtEnvironment));

} // namespace

QApplication& TestApplication()
{
    return *environment->app;
}
