// ZBar's first use on many threads at once, with the real libzbar: each thread activates a
// component of its own and scans a barcode of its own, round after round, with the library
// unloaded between the rounds so that every round loads it again.
#include "ComponentFixtures.h"
#include "OnManyThreads.h"
#include "TestPictures.h"
#include "vel/TVel.h"
#include "vel/VelSymbol.h"

#include <zint.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int ThreadCount = 8;
constexpr int RoundCount = 10;

std::string DataOf(int thread) {
    return "Vel thread " + std::to_string(thread);
}

// What one thread found: the data of its one barcode, or what went wrong.
std::string ActivateAndScan(const Host::TBitmap& picture) {
    try {
        Vel::TVel vel;
        vel.SetActive(true);
        vel.Picture()->SetGraphic(&picture);
        vel.Scan();
        if (vel.BarcodeCount() != 1)
            return std::to_string(vel.BarcodeCount()) + " barcodes";
        return vel.Barcode(0)->DataAnsi();
    } catch (const std::exception& error) {
        return error.what();
    }
}

class ThreadedFirstUse : public LoaderResetTest {
protected:
    ThreadedFirstUse() {
        for (int t = 0; t < ThreadCount; ++t)
            Pictures.push_back(
                TestPictures::ToBitmap(Support::RenderBarcode(BARCODE_CODE128, DataOf(t))));
    }

    std::vector<std::unique_ptr<Host::TBitmap>> Pictures;
};

TEST_F(ThreadedFirstUse, ComponentsActivatedOnManyThreadsAtOnceEachScanTheirBarcode) {
    for (int round = 0; round < RoundCount; ++round) {
        ASSERT_FALSE(Vel::LoadedLibrary());
        std::vector<std::string> found(ThreadCount);
        Support::OnManyThreads(ThreadCount, [&](int t) {
            found[static_cast<std::size_t>(t)] =
                ActivateAndScan(*Pictures[static_cast<std::size_t>(t)]);
        });
        for (int t = 0; t < ThreadCount; ++t)
            EXPECT_EQ(found[static_cast<std::size_t>(t)], DataOf(t)) << "round " << round;
        Vel::UnloadLibrary();
    }
}

} // namespace
