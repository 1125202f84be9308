#include "qtapp.h"

#include "controls/fontmap.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace duebell::test {

namespace {

int argc = 1;
char appName[] = "controls_test";
char* argv[] = {appName, nullptr};

} // namespace

void EnsureApplication();

namespace {

// Every test program of the controls gets its application before the first fixture is built.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { EnsureApplication(); }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace

void EnsureApplication() {
    if (QApplication::instance() == nullptr) {
        static QApplication* app = new QApplication(argc, argv);
        (void)app;
        // The program's own font, as the program sets it.
        QApplication::setFont(InterfaceFont());
    }
}

RecordingHooks::RecordingHooks() {
    oldBeep_ = SetBeepHook([this] { ++beeps; });
    oldClipboard_ = SetClipboardHook(
        {[this] { return clipboard; }, [this](const std::string& text) { clipboard = text; }});
    oldHandler_ = SetExceptionHandler([this](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            errors.emplace_back(e.what());
        } catch (...) {
            errors.emplace_back("?");
        }
    });
}

RecordingHooks::~RecordingHooks() {
    SetBeepHook(oldBeep_);
    SetClipboardHook(oldClipboard_);
    SetExceptionHandler(oldHandler_);
}

std::string SaveScreenshot(const QImage& image, const std::string& name) {
    const std::string path = std::string(DUEBELL_TEST_OUTPUT_DIR) + "/" + name + ".png";
    EXPECT_TRUE(image.save(QString::fromStdString(path))) << path;
    return path;
}

} // namespace duebell::test
