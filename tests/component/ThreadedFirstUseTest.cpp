// ZBar's first use on many threads at once, with the real libzbar: each thread activates a
// component of its own, or calls ReadBarcodes, on a barcode of its own, round after round,
// with the library unloaded between the rounds so that every round loads it again.
#include "ComponentFixtures.h"
#include "OnManyThreads.h"
#include "ParamLabel.h"
#include "TestPictures.h"
#include "vel/ReadBarcodes.h"
#include "vel/TVel.h"
#include "vel/VelSymbol.h"

#include <zint.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int ThreadCount = 8;
constexpr int RoundCount = 10;

std::string DataOf(int thread) {
    return "Vel thread " + std::to_string(thread);
}

// One thread's barcode picture, as gray pixels and as a bitmap.
struct TThreadPicture {
    explicit TThreadPicture(int thread)
        : Gray(Support::RenderBarcode(BARCODE_CODE128, DataOf(thread))),
          Bitmap(TestPictures::ToBitmap(Gray)) {}

    Support::TGrayImage Gray;
    std::unique_ptr<Host::TBitmap> Bitmap;
};

// The data of the one barcode a first use finds.
std::string ScanWithAComponent(const TThreadPicture& picture) {
    Vel::TVel vel;
    vel.SetActive(true);
    vel.Picture()->SetGraphic(picture.Bitmap.get());
    vel.Scan();
    if (vel.BarcodeCount() != 1)
        return std::to_string(vel.BarcodeCount()) + " barcodes";
    return vel.Barcode(0)->DataAnsi();
}

std::string ReadInOneCall(const TThreadPicture& picture) {
    const Support::TGrayImage& gray = picture.Gray;
    const auto found =
        Vel::ReadBarcodes(Vel::TGrayView(gray.Pixels.data(), gray.Width, gray.Height));
    if (found.size() != 1)
        return std::to_string(found.size()) + " barcodes";
    return found[0].Data;
}

struct TFirstUseCase {
    const char* Label;
    std::function<std::string(const TThreadPicture&)> Use;
};

class ThreadedFirstUse : public LoaderResetTest, public testing::WithParamInterface<TFirstUseCase> {
protected:
    ThreadedFirstUse() {
        for (int t = 0; t < ThreadCount; ++t)
            Pictures.emplace_back(t);
    }

    // What the use found on one thread, or what went wrong.
    std::string UseOn(int thread) const {
        try {
            return GetParam().Use(Pictures[static_cast<std::size_t>(thread)]);
        } catch (const std::exception& error) {
            return error.what();
        }
    }

    std::vector<TThreadPicture> Pictures;
};

TEST_P(ThreadedFirstUse, ManyThreadsAtOnceEachFindTheirBarcode) {
    for (int round = 0; round < RoundCount; ++round) {
        ASSERT_FALSE(Vel::LoadedLibrary());
        std::vector<std::string> found(ThreadCount);
        Support::OnManyThreads(ThreadCount,
                               [&](int t) { found[static_cast<std::size_t>(t)] = UseOn(t); });
        for (int t = 0; t < ThreadCount; ++t)
            EXPECT_EQ(found[static_cast<std::size_t>(t)], DataOf(t)) << "round " << round;
        Vel::UnloadLibrary();
    }
}

INSTANTIATE_TEST_SUITE_P(FirstUses, ThreadedFirstUse,
                         testing::Values(TFirstUseCase{"ActivateAComponent", ScanWithAComponent},
                                         TFirstUseCase{"ReadBarcodes", ReadInOneCall}),
                         ParamLabel());

} // namespace
