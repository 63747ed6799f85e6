// Scans a folder's pictures (and its subfolders') with the batch engine: several at once, each
// in a worker process of its own, so that a picture that crashes ZBar costs that picture
// only. Prints each barcode as PATH: TYPE:DATA, in the folder's order whatever the jobs, and
// each picture that could not be read as PATH: error: REASON.
//   batch_scan [-j JOBS] [--library LIBZBAR] FOLDER
#include <vel/batch/Batch.h>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>

int main(int argc, char** argv) {
    // The workers are this program started again: serve as one when started so.
    if (const auto status = VelBatch::ServeAsWorker(argc, argv))
        return *status;

    VelBatch::TBatchSettings settings{.Recursive = true, .ProgramName = "batch_scan"};
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-j" && i + 1 < argc)
            settings.Jobs = static_cast<unsigned>(std::atoi(argv[++i]));
        else if (arg == "--library" && i + 1 < argc)
            settings.Scan.Library = argv[++i];
        else
            settings.Paths.emplace_back(arg);
    }
    if (settings.Paths.size() != 1) {
        std::cerr << "usage: batch_scan [-j JOBS] [--library LIBZBAR] FOLDER\n";
        return 1;
    }
    try {
        VelBatch::TBatch batch(settings);
        int unread = 0;
        while (const auto file = batch.Next())
            for (const VelBatch::TPageResult& page : *file) {
                if (page.Error) {
                    std::cout << VelBatch::ShownPath(page) << ": error: " << *page.Error << '\n';
                    ++unread;
                }
                for (const Vel::TBarcode& barcode : page.Barcodes)
                    std::cout << VelBatch::ShownPath(page) << ": " << barcode.SymbologyName << ':'
                              << barcode.Text() << '\n';
            }
        batch.Finish();
        return unread == 0 ? 0 : 2;
    } catch (const std::exception& error) { // ZBar not loaded, no worker could start, ...
        std::cerr << "batch_scan: " << error.what() << '\n';
        return 1;
    }
}
