// The example designs shipped with Quadrell: each imports whole, writes back
// with every source on a wire end, and solves with NEC2d into a listing the
// result windows can show.
#include "model/QuadrellDoc.h"
#include "nec/DeckImport.h"
#include "nec/DeckWriter.h"
#include "nec/ListingReader.h"
#include "tests/solver/SolverTestSupport.h"

namespace fs = std::filesystem;

namespace {

TEST(ExamplesTest, ImportCleanlyAndSolve) {
    SKIP_WITHOUT_NEC2C();
    int examples = 0;
    for (const auto& entry : fs::directory_iterator(QUADRELL_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".in") continue;
        ++examples;
        SCOPED_TRACE(entry.path().filename().string());
        DeckImport imported = ReadDeckImport(Bytes(entry.path()), {});
        ASSERT_EQ(imported.failure, "");
        const ImportSkips& skipped = imported.skipped;
        EXPECT_EQ(skipped.innerExcitations + skipped.unmatchedExcitations + skipped.zeroLengthWires,
                  0);
        EXPECT_EQ(imported.sources.size(), 1u);
        CQuadrellDoc doc;
        AddImportedElements(doc, imported);
        int tags = 0;
        EXPECT_TRUE(WriteDeck(doc, {}, {}, {}, tags).allSourcesConnected);

        CScratchFolder folder;
        fs::copy_file(entry.path(), folder / "example.in");
        const auto [code, out, err] =
            RunProgram(folder.path, std::string(NEC2D_PROGRAM) + " example.in");
        EXPECT_EQ(code, 0) << err;
        EXPECT_TRUE(ReadListingFile(folder / "example.out").has_value());
    }
    EXPECT_GE(examples, 5);
}

}  // namespace
