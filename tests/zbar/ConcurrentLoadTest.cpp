// The loader called from many threads at once, with the fake ZBar: one load however many
// threads ask, a failed load that leaves nothing half-set, and loads racing unloads.
#include "LoaderFixtures.h"
#include "OnManyThreads.h"
#include "TableChecks.h"
#include "vel/Loader.h"
#include "vel/VelError.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

using namespace Vel;

namespace {

constexpr int ThreadCount = 8;

// What LoadLibrary did on one thread: the generation it left loaded, or its error.
struct TLoadOutcome {
    TLibraryGeneration Generation = 0;
    std::string Error;
};

TLoadOutcome Load() {
    try {
        LoadLibrary();
        return {LibraryGeneration(), {}};
    } catch (const EVelError& error) {
        return {LibraryGeneration(), error.what()};
    }
}

std::vector<TLoadOutcome> LoadOnManyThreads() {
    std::vector<TLoadOutcome> outcomes(ThreadCount);
    Support::OnManyThreads(ThreadCount,
                           [&](int t) { outcomes[static_cast<std::size_t>(t)] = Load(); });
    return outcomes;
}

TEST_F(LoaderStateTest, ThreadsLoadingAtOnceLoadTheLibraryOnce) {
    ZBarLibraryName = Host::FromAnsi(VEL_FAKE_ZBAR);
    const std::vector<TLoadOutcome> outcomes = LoadOnManyThreads();
    ASSERT_TRUE(LoadedLibrary());
    for (const TLoadOutcome& outcome : outcomes) {
        EXPECT_EQ(outcome.Error, "");
        EXPECT_EQ(outcome.Generation, LibraryGeneration()) << "every thread found one load";
    }
    ExpectTableFrom(VEL_FAKE_ZBAR);
}

TEST_F(LoaderStateTest, ThreadsLoadingALibraryThatLacksAnEntryAllFailAndLeaveNothingSet) {
    ZBarLibraryName = Host::FromAnsi(VEL_FAKE_ZBAR_LACKING_LAST);
    for (const TLoadOutcome& outcome : LoadOnManyThreads()) {
        EXPECT_THAT(outcome.Error, testing::StartsWith("zbar_scanner_get_color: "));
        EXPECT_EQ(outcome.Generation, 0u);
    }
    EXPECT_FALSE(LoadedLibrary());
    EXPECT_EQ(ZBarLibrary, nullptr);
    EXPECT_FALSE(ModuleLoaded(VEL_FAKE_ZBAR_LACKING_LAST));
    ExpectTableEmpty();
}

TEST_F(LoaderStateTest, LoadsRacingUnloadsEndInOneOfTheTwoStates) {
    ZBarLibraryName = Host::FromAnsi(VEL_FAKE_ZBAR);
    Support::OnManyThreads(ThreadCount, [](int t) {
        for (int round = 0; round < 50; ++round) {
            if ((t + round) % 2 == 0)
                LoadLibrary();
            else
                UnloadLibrary();
        }
    });
    LoadLibrary();
    EXPECT_NE(ZBarLibrary, nullptr);
    ExpectTableFrom(VEL_FAKE_ZBAR);
    UnloadLibrary();
    EXPECT_FALSE(ModuleLoaded(VEL_FAKE_ZBAR));
    ExpectTableEmpty();
}

} // namespace
