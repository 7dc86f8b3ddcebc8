// The Windows test programs' main. GoogleTest's own printer hands every
// failure and skip to OutputDebugStringA as well, which raises an exception
// for a debugger to catch. Under 32-bit Wine on qemu-i386 a raised exception
// kills the process once any thread of it has ended, so a failing or skipped
// test looked like a crash of the whole suite. This printer writes the same
// lines to standard output only; everything else is GoogleTest's printer.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {
using testing::TestInfo, testing::TestSuite, testing::UnitTest;

// Passes on the events GoogleTest's printer prints anything for.
class StandardOutputPrinter : public testing::EmptyTestEventListener {
public:
    explicit StandardOutputPrinter(testing::TestEventListener* printer) : printer_(printer) {}

    void OnTestPartResult(const testing::TestPartResult& result) override {
        if (result.type() == testing::TestPartResult::kSuccess) return;
        const char* kind = result.type() == testing::TestPartResult::kSkip ? "Skipped" : "Failure";
        std::printf("%s %s\n%s\n",
                    testing::internal::FormatFileLocation(result.file_name(), result.line_number()).c_str(), kind,
                    result.message());
        std::fflush(stdout);
    }
    void OnTestIterationStart(const UnitTest& test, int iteration) override {
        printer_->OnTestIterationStart(test, iteration);
    }
    void OnEnvironmentsSetUpStart(const UnitTest& test) override { printer_->OnEnvironmentsSetUpStart(test); }
    void OnTestSuiteStart(const TestSuite& suite) override { printer_->OnTestSuiteStart(suite); }
    void OnTestStart(const TestInfo& info) override { printer_->OnTestStart(info); }
    void OnTestEnd(const TestInfo& info) override { printer_->OnTestEnd(info); }
    void OnTestSuiteEnd(const TestSuite& suite) override { printer_->OnTestSuiteEnd(suite); }
    void OnEnvironmentsTearDownStart(const UnitTest& test) override { printer_->OnEnvironmentsTearDownStart(test); }
    void OnTestIterationEnd(const UnitTest& test, int iteration) override {
        printer_->OnTestIterationEnd(test, iteration);
    }

private:
    std::unique_ptr<testing::TestEventListener> printer_;
};
}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
    // The listeners own the printers handed to them.
    listeners.Append(
        std::make_unique<StandardOutputPrinter>(listeners.Release(listeners.default_result_printer())).release());
    return RUN_ALL_TESTS();
}
