// A stop ends the erase between entries: the folder stands, partly emptied, every entry the
// count says was removed is gone and every other one is still there, and nothing beside the
// folder is touched.

#include "EraseEngine.h"
#include "TempTree.h"

#include <gtest/gtest.h>

#include <thread>

namespace zarvok::erase::test {
namespace {

enum class Shape { Flat, Wide, Deep };

struct CancelCase {
    const char* label;
    Shape shape;
    unsigned threads;
};

class EraseCancel : public ::testing::TestWithParam<CancelCase> {};

std::size_t build(const fs::path& root, Shape shape)
{
    switch (shape) {
    case Shape::Flat:
        return makeWideTree(root, 1, 3000);
    case Shape::Wide:
        return makeWideTree(root, 40, 80);
    case Shape::Deep:
        makeChain(root, 600, "d", 4);
        return 600 * 5;
    }
    return 0;
}

TEST_P(EraseCancel, StopsBetweenEntriesAndTouchesNothingElse)
{
    TempDir dir;
    const fs::path root = dir / "tree";
    const std::size_t made = build(root, GetParam().shape);
    writeFile(dir / "beside");
    Progress progress;
    Outcome outcome;
    std::thread worker([&] { outcome = eraseTree(root.string(), &progress, Options{GetParam().threads}); });
    while (progress.removed.load() < made / 4)
        std::this_thread::yield();
    progress.cancel.request();
    worker.join();

    EXPECT_EQ(outcome.status, Status::Failed);
    EXPECT_EQ(outcome.error, std::make_error_code(std::errc::operation_canceled));
    ASSERT_TRUE(present(root));
    const std::size_t left = countEntries(root);
    EXPECT_GT(left, 0u) << "the erase ran to its end";
    EXPECT_EQ(left + progress.removed.load(), made);
    EXPECT_TRUE(present(dir / "beside"));
}

INSTANTIATE_TEST_SUITE_P(Cases, EraseCancel,
                         ::testing::Values(CancelCase{"flat_one_worker", Shape::Flat, 1},
                                           CancelCase{"flat_four_workers", Shape::Flat, 4},
                                           CancelCase{"wide_four_workers", Shape::Wide, 4},
                                           CancelCase{"deep_chain", Shape::Deep, 2}),
                         [](const auto& param) { return std::string(param.param.label); });

TEST(EraseCancelBeforeStart, RemovesNothing)
{
    TempDir dir;
    const fs::path root = dir / "tree";
    const std::size_t made = makeWideTree(root, 3, 10);
    Progress progress;
    progress.cancel.request();
    const Outcome outcome = eraseTree(root.string(), &progress);
    EXPECT_EQ(outcome.error, std::make_error_code(std::errc::operation_canceled));
    EXPECT_EQ(countEntries(root), made);
    EXPECT_EQ(progress.removed.load(), 0u);
}

} // namespace
} // namespace zarvok::erase::test
