#include "WorkerMain.h"

#include "Channel.h"
#include "MemoryBudget.h"
#include "PictureScanner.h"
#include "ResultWire.h"
#include "StderrCapture.h"

#include <vel/host/PixelLimit.h>

#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unistd.h>

namespace VelBatch {

namespace {

// Sends the message to the run; a run that is gone ends the worker at once, since nobody is
// left for its results.
void Send(std::string_view message) {
    if (!SendMessage(WorkerChannelFd, message))
        _exit(1);
}

} // namespace

int RunWorker(const char* program, std::span<const char* const> args, const TBatchHooks& hooks) {
    try {
        if (args.empty())
            throw std::invalid_argument("no worker slot given");
        const unsigned slot = static_cast<unsigned>(std::stoul(args[0]));
        if (slot >= TMemoryBudget::MaxSlots)
            throw std::invalid_argument(std::string("worker slot ") + args[0] + " out of range");
        const auto settings = ReceiveMessage(WorkerChannelFd);
        if (!settings)
            return 0; // the run ended before it sent them
        const TScanSettings scan = DecodeSettings(*settings);
        Host::SetMaxPicturePixels(scan.MaxPixels);
        LoadZBar(scan.Library);
        TPictureScanner scanner(scan, true, hooks.Annotate);
        TStderrCapture capture;
        scanner.SetCapture(&capture);
        TMemoryBudget budget = TMemoryBudget::Attach(WorkerBudgetFd);
        std::size_t sent = 0;
        scanner.SetOnPageDone([&sent](const TPageResult& page) {
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
        std::cerr << program << ": worker process: " << error.what() << '\n';
        return 1;
    }
}

std::optional<int> ServeAsWorker(int argc, char** argv, const TBatchHooks& hooks) {
    if (argc < 2 || std::string_view(argv[1]) != WorkerModeFlag)
        return std::nullopt;
    return RunWorker(argv[0], {argv + 2, static_cast<std::size_t>(argc - 2)}, hooks);
}

} // namespace VelBatch
