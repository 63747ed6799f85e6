// The batch tests' program serves as the batch's worker processes, as an application does.
#include "vel/batch/Batch.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (const auto status = VelBatch::ServeAsWorker(argc, argv))
        return *status;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
