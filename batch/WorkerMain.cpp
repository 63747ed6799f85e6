#include "WorkerMain.h"

#include "Channel.h"
#include "MemoryBudget.h"
#include "Options.h"
#include "PictureScanner.h"
#include "ResultWire.h"
#include "StderrCapture.h"
#include "Workers.h"
#include "ZBarLoading.h"

#include <vel/host/PixelLimit.h>

#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unistd.h>

namespace VelScan {

namespace {

// Sends the message to the run; a run that is gone ends the worker at once, since nobody is
// left for its results.
void Send(std::string_view message) {
    if (!SendMessage(WorkerChannelFd, message))
        _exit(1);
}

} // namespace

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
        TStderrCapture capture;
        scanner.SetCapture(&capture);
        TMemoryBudget budget = TMemoryBudget::Attach(WorkerBudgetFd);
        std::size_t sent = 0;
        scanner.SetOnPageDone([&sent](const TPictureResult& page) {
            Send(EncodeResults({page}));
            ++sent;
        });
        while (const auto request = ReceiveMessage(WorkerChannelFd)) {
            sent = 0;
            const TFileResult results = scanner.Scan(DecodeInput(*request), budget, slot);
            // A file's error was not sent as a page.
            const TFileResult rest(results.begin() + static_cast<std::ptrdiff_t>(sent),
                                   results.end());
            if (!rest.empty())
                Send(EncodeResults(rest));
            Send(FileDoneMessage);
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "velscan: worker process: " << error.what() << '\n';
        return 1;
    }
}

} // namespace VelScan
