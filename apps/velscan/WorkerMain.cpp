#include "WorkerMain.h"

#include "Channel.h"
#include "MemoryBudget.h"
#include "Options.h"
#include "PictureScanner.h"
#include "ResultWire.h"
#include "Workers.h"
#include "ZBarLoading.h"

#include <vel/host/PixelLimit.h>

#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>

namespace VelScan {

int RunWorker(std::span<const char* const> args) {
    try {
        if (args.empty())
            throw std::invalid_argument("no worker slot given");
        const unsigned slot = static_cast<unsigned>(std::stoul(args[0]));
        if (slot >= TMemoryBudget::MaxSlots)
            throw std::invalid_argument(std::string("worker slot ") + args[0] + " out of range");
        const TOptions options = ParseOptions(args.subspan(1));
        Host::SetMaxPicturePixels(options.MaxPixels);
        LoadZBar(options.Library);
        TPictureScanner scanner(options);
        TMemoryBudget budget = TMemoryBudget::Attach(WorkerBudgetFd);
        while (const auto request = ReceiveMessage(WorkerChannelFd)) {
            const TPictureResult result =
                ScanWithinBudget(scanner, budget, slot, DecodeInput(*request));
            if (!SendMessage(WorkerChannelFd, EncodeResult(result)))
                break;
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "velscan: worker process: " << error.what() << '\n';
        return 1;
    }
}

} // namespace VelScan
