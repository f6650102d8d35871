// What the driver sets up when it is loaded, done once for the tests: the channel columns and the
// built-in texts. The user interface is Chinese, so that the built-in texts stay in force whatever
// the machine's locale.
#include <gtest/gtest.h>

#include "core/column_registry.h"
#include "core/text_tables.h"
#include "platform/ui_language.h"

namespace {

class DriverLoaded : public ::testing::Environment {
public:
    void SetUp() override {
        SetThreadUILanguageOverride(kLangChineseSimplified);
        DefineChannelColumns();
        ResetBuiltinTexts();
    }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new DriverLoaded);
    return RUN_ALL_TESTS();
}
