#include "base/Error.h"
#include "handlers/ArchiveTransfer.h"
#include "support/ExpectError.h"
#include "support/FakeArchive.h"
#include "support/TestEditor.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

// A transfer the editor's state does not allow: what it is called with, and the
// error it must end in (0: it does nothing).
struct Refusal {
    const char* name;
    int mode;
    const char* entry; // EntryName; "Easy.ubc" names a level
    bool library;      // whether archive access is available
    int error;
};

const Refusal Refusals[] = {
    {"ExtractWithoutEntry", TransferExtract, "", true, err::InvalidCall},
    {"ExtractOfAnEmptyLevel", TransferExtract, ".ubc", true, err::InvalidCall},
    {"StoreWithoutEntry", TransferStore, "", true, err::InvalidCall},
    {"StoreOfAnEmptyLevel", TransferStore, ".ubc", true, err::InvalidCall},
    {"ExtractWithoutArchiveAccess", TransferExtract, "Easy.ubc", false, err::InvalidCall},
    {"StoreWithoutArchiveAccess", TransferStore, "Easy.ubc", false, err::InvalidCall},
    {"UnknownModeDoesNothing", 3, "Easy.ubc", true, 0},
};

struct TransferRefusal : ::testing::TestWithParam<Refusal> {};

} // namespace

// Neither the archive nor the working copy is touched, and no staging copy is left.
TEST_P(TransferRefusal, TouchesNoFile)
{
    const Refusal& r = GetParam();
    TestEditor e;
    auto library = std::make_shared<FakeArchive>();
    library->entries = {{"Easy.ubc", "easy"}};
    e.ctx.archive = r.library ? library : nullptr;
    e.ctx.state.AIFilePath = e.path(QStringLiteral("aidata.viv"));
    e.ctx.state.EntryName = QString::fromLatin1(r.entry);
    writeBytes(e.workFile(), "edited");
    expectError(r.error, [&] { ArchiveTransfer(e.ctx, r.mode, e.ctx.state.AIFilePath); });
    EXPECT_TRUE(library->calls.isEmpty());
    EXPECT_EQ(library->entries.value("Easy.ubc"), "easy");
    EXPECT_EQ(readBytes(e.workFile()), "edited");
    EXPECT_FALSE(QFileInfo::exists(e.path(QStringLiteral(".ubc"))));
}

INSTANTIATE_TEST_SUITE_P(Guards, TransferRefusal, ::testing::ValuesIn(Refusals),
                         [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });
