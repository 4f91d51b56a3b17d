// One QApplication for the whole test program, created before the first test and
// destroyed after the last. Link the target pavik_test_qtapp to get it.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

class QtApp : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "pavik_tests";
        static char* argv[] = {name, nullptr};
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);  // needed by the web view
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override { delete app_; }

private:
    QApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const env =
    ::testing::AddGlobalTestEnvironment(new QtApp);

}  // namespace
