// Each rule of the file format has its data file in tests/data/reader; here
// is what no data file can show: a cancelled dialog and files that cannot be
// read at all.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/widgets/OpenDialog.h"
#include "tests/support/ModelFixture.h"

namespace {

using ReaderTest = ModelTest;

void Load(std::optional<std::string> path) {
    fw::SetOpenDialogAnswer([path] { return path; });
    Module1::datenlesen();
    fw::SetOpenDialogAnswer(nullptr);
}

TEST_F(ReaderTest, ACancelledOrFailedReadKeepsThePreviousFile) {
    Load(KZP_TEST_DATA "/reader/fill.kzp");
    const auto points = Module1::punkt;
    const auto lines = Module1::linie;
    Load(std::nullopt);
    EXPECT_THROW(Load(KZP_TEST_DATA "/reader/missing.kzp"), fw::IOException);
    EXPECT_THROW(Load(KZP_TEST_DATA "/reader"), fw::IOException);
    EXPECT_EQ(Module1::anzpkt, 4);
    EXPECT_EQ(Module1::anzlin, 4);
    for (std::int64_t r = 0; r <= Module1::kLastRow; ++r) {
        for (std::int64_t c = 0; c <= 2; ++c) {
            ASSERT_EQ(Module1::punkt.Get(r, c), points.Get(r, c));
            ASSERT_EQ(Module1::linie.Get(r, c), lines.Get(r, c));
        }
    }
}

}  // namespace
