// The conversions and number texts must not follow the process locale: the
// window's toolkit sets it from the environment, and a user whose locale writes
// a decimal comma must still get "0.5", not "0,5", and must be able to type 0.5.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <string>

#include "estimate/conversions.h"
#include "estimate/cost.h"
#include "estimate/float_chars.h"
#include "estimate/number_text.h"
#include "estimate/panels.h"
#include "estimate/run_time_error.h"
#include "test_support.h"

namespace estimate {
namespace {

const char* const kCommaLocale = "de_DE.UTF-8";

// Switches the process to a decimal-comma locale, compiling one into a folder
// of this process's own when the machine has none installed: ctest runs the
// cases side by side, and one must never read another's half-written files.
// Returns false when no such locale can be had; `compiled` names the folder made.
bool enterCommaLocale(std::filesystem::path& compiled) {
    if (std::setlocale(LC_ALL, kCommaLocale) != nullptr) {
        return true;
    }
    std::string dir = (std::filesystem::temp_directory_path() / "quillmere-locale-XXXXXX").string();
    if (mkdtemp(dir.data()) == nullptr) {
        return false;
    }
    compiled = dir;
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + (compiled / kCommaLocale).string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) == -1) {
        return false;
    }
    setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_ALL, kCommaLocale) != nullptr;
}

class CommaLocale : public ::testing::Test {
  protected:
    void SetUp() override {
        // Fails rather than skips: a machine without the locale proves nothing.
        ASSERT_TRUE(enterCommaLocale(compiled_))
            << "cannot create the " << kCommaLocale << " locale";
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
        std::locale::global(std::locale(kCommaLocale));
    }
    void TearDown() override {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
        if (!compiled_.empty()) {
            unsetenv("LOCPATH");
            std::error_code ignored;
            std::filesystem::remove_all(compiled_, ignored);
        }
    }

  private:
    std::filesystem::path compiled_;
};

TEST_F(CommaLocale, ConversionsAndTextsAreTheSame) {
    EXPECT_EQ(toSingle("0.5"), 0.5f);
    EXPECT_EQ(toDouble("60.3"), 60.3);
    EXPECT_EQ(toInteger("2.5"), 2);
    EXPECT_THROW(toSingle("0,5"), RunTimeError);
    EXPECT_THROW(toSingle("1.000,5"), RunTimeError);
    EXPECT_EQ(singleText(0.8831f), "0.8831");
    EXPECT_EQ(singleText(12345678.0f), "1.234568E+07");
    EXPECT_EQ(doubleText(static_cast<double>(60.3f) - 1), "59.2999992370605");
}

// The fallback conversions go through the C library, which reads and writes
// the locale's point: they must not.
TEST_F(CommaLocale, FallbackConversionsKeepThePoint) {
    double value = 0;
    const std::string text = "2.5";
    const auto read = fallback::fixedFromChars(text.data(), text.data() + text.size(), value);
    EXPECT_EQ(read.ptr, text.data() + text.size());
    EXPECT_EQ(value, 2.5);
    char out[32];
    const auto wrote = fallback::scientificToChars(out, out + sizeof out, 2.5f, 3);
    EXPECT_EQ(std::string(out, wrote.ptr), "2.500e+00");
}

TEST_F(CommaLocale, OperationsWriteTheSameCaptions) {
    testing::RecordingSink sizes;
    panelSizes({"100", "40", "50", "8"}, sizes.sink());
    ASSERT_EQ(sizes.writes.size(), 3u);
    EXPECT_EQ(sizes.writes[2].second, "98.4 * 38.4 *  1 块");

    PlateTable table;
    table.add({"20", "10", "1"});
    testing::RecordingSink heJi;
    costCalculation({"100", "2", "60", "30", "40", "5", "15", "2"}, table, heJi.sink());
    ASSERT_EQ(heJi.writes.size(), 4u);
    EXPECT_EQ(heJi.writes[0].second, "(主体面积 0.8831  +  辅助板材面积 0.02) *  单价 100 = 90.31");
    EXPECT_EQ(heJi.writes[3].second, "138.71");
}

}  // namespace
}  // namespace estimate
