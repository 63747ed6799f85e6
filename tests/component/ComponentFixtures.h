// Fixtures of the component's tests. Each leaves the loader as it found it: nothing loaded,
// the default library name. The loader is reset in the destructor, after the fixture's
// components are gone, since a component must not outlive the library it calls.
#pragma once

#include "vel/Loader.h"
#include "vel/VelError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

class LoaderResetTest : public testing::Test {
protected:
    ~LoaderResetTest() override {
        Vel::UnloadLibrary();
        Vel::ZBarLibraryName = Vel::DefaultZBarLibraryName;
    }
};

// Asserts that the statement raises Vel::EVelError with exactly the message.
#define EXPECT_VEL_ERROR(statement, message)                                                       \
    EXPECT_THAT([&] { statement; }, testing::ThrowsMessage<Vel::EVelError>(testing::StrEq(message)))
