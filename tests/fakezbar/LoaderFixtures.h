// Fixtures that leave the loader as they found it: nothing loaded, the default file name.
#pragma once

#include "FakeZBarClient.h"
#include "vel/Loader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

class LoaderStateTest : public testing::Test {
protected:
    void TearDown() override {
        Vel::UnloadLibrary();
        Vel::ZBarLibraryName = Vel::DefaultZBarLibraryName;
    }
};

// The fake ZBar loaded through the real loader, its log and choices cleared.
class FakeZBarTest : public LoaderStateTest {
protected:
    void SetUp() override {
        Vel::ZBarLibraryName = Host::FromAnsi(VEL_FAKE_ZBAR);
        Vel::LoadLibrary();
        Fake.Reset();
    }

    FakeZBar::TFakeZBar Fake{VEL_FAKE_ZBAR};
};

// Asserts that the statement raises Vel::EVelError with exactly the message.
#define EXPECT_VEL_ERROR(statement, message)                                                       \
    EXPECT_THAT([&] { statement; }, testing::ThrowsMessage<Vel::EVelError>(testing::StrEq(message)))
