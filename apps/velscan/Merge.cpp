#include "Merge.h"

#include <vel/batch/Inputs.h>
#include <vel/formats/JsonEntry.h>

#include <vel/host/WholeFile.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <unordered_set>
#include <vector>

namespace VelScan {

namespace {

using VelBatch::TInput;
using VelFormats::TJsonEntry;

// A picture's place in a folder walk: its path in the walk order, then its page.
struct TEntryKey {
    std::string Path;
    long long Page = 0;

    bool operator<(const TEntryKey& other) const {
        if (Path != other.Path)
            return VelBatch::WalkOrderLess(Path, other.Path);
        return Page < other.Page;
    }
};

// Where an entry came from, for the messages.
struct TEntrySource {
    std::string Line;
    std::string File;
    std::size_t LineNumber = 0;
};

class TMerger {
public:
    explicit TMerger(std::ostream& err) : FErr(err) {}

    void ReadFile(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            Report(file + ": cannot read it: " + std::strerror(errno));
            return;
        }
        std::size_t number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            const bool cut = in.eof(); // the last line has no newline
            const auto entry = cut ? std::nullopt : VelFormats::ReadJsonEntry(line);
            if (!entry)
                Report(file + ": line " + std::to_string(number) +
                       (cut ? " is cut (no newline)" : " is not a velscan JSON entry") +
                       "; left out");
            else
                Add(*entry, {std::move(line), file, number});
        }
        if (in.bad())
            Report(file + ": cannot read it: " + std::strerror(errno));
    }

    // Reports each expected picture that has no entry, and each expected path that gave no
    // pictures to check (a folder of subfolders without -r).
    void CheckExpected(const std::vector<TInput>& expected) {
        for (const auto& input : expected)
            if (input.Error)
                Report(input.Path + ": " + *input.Error + "; nothing was checked for it");
            else if (!FPaths.contains(input.Path))
                Report(input.Path + ": missing: no entry in the files merged");
    }

    std::string Text() const {
        std::string text;
        for (const auto& [key, source] : FEntries)
            text += source.Line + '\n';
        return text;
    }

    bool Clean() const { return FClean; }
    std::size_t Count() const { return FEntries.size(); }

private:
    void Add(const TJsonEntry& entry, TEntrySource source) {
        TEntryKey key{entry.Path, entry.Page.value_or(0)};
        const auto [it, added] = FEntries.try_emplace(std::move(key), std::move(source));
        if (!added) {
            const TEntrySource& first = it->second;
            Report(entry.Path + ": entered twice, in " + first.File + " (line " +
                   std::to_string(first.LineNumber) + ", kept) and " + source.File + " (line " +
                   std::to_string(source.LineNumber) + ")");
        }
        FPaths.insert(entry.Path);
    }

    void Report(const std::string& message) {
        FErr << "velscan: " << message << '\n';
        FClean = false;
    }

    std::ostream& FErr;
    std::map<TEntryKey, TEntrySource> FEntries;
    std::unordered_set<std::string> FPaths;
    bool FClean = true;
};

// The pictures of the list, folders walked as a scan walks them.
std::vector<TInput> ExpectedPaths(const TOptions& options, std::istream& list, std::ostream& err) {
    std::ifstream file;
    if (*options.Expect != "-") {
        file.open(*options.Expect, std::ios::binary);
        if (!file)
            throw std::runtime_error("cannot read the list --expect " + *options.Expect + ": " +
                                     std::strerror(errno));
    }
    std::vector<TInput> paths;
    VelBatch::ReadInputs(
        {"-"}, options.Batch.Recursive, options.Batch.PathList, file.is_open() ? file : list,
        [&paths](TInput input) { paths.push_back(std::move(input)); },
        [&err](const std::string& message) { err << "velscan: " << message << '\n'; });
    return paths;
}

// OUT holds either what it held or the whole merged text, never part of it.
void WriteMerged(const std::string& file, std::string_view text) {
    try {
        Host::ReplaceWholeFile(file, text);
    } catch (const std::system_error& error) {
        throw std::runtime_error("cannot write " + file + ": " + error.what());
    }
}

} // namespace

VelCli::TExitStatus RunMerge(const TOptions& options, std::istream& list, std::ostream& err) {
    TMerger merger(err);
    try {
        for (const auto& file : options.Batch.Paths)
            merger.ReadFile(file);
        if (options.Expect)
            merger.CheckExpected(ExpectedPaths(options, list, err));
        WriteMerged(*options.MergeOutput, merger.Text());
    } catch (const std::exception& error) {
        err << "velscan: --merge: " << error.what() << '\n';
        return VelCli::esFailure;
    }
    return merger.Clean() ? VelCli::esSuccess : VelCli::esFileError;
}

} // namespace VelScan
