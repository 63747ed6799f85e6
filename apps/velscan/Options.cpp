#include "Options.h"

#include "FormatList.h"
#include "cli/ArgReader.h"
#include "cli/ExitStatus.h"

#include <vel/batch/Errors.h>
#include <vel/batch/Limits.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <string_view>

namespace VelScan {

namespace {

constexpr unsigned MaxJobs = 256;

std::optional<long long> ParseInteger(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

TFormat ParseFormat(const std::string& text) {
    if (text == "text")
        return TFormat::Text;
    if (text == "raw")
        return TFormat::Raw;
    if (text == "json")
        return TFormat::Json;
    if (text == "xml")
        return TFormat::Xml;
    if (text == "zbar-xml")
        return TFormat::ZbarXml;
    throw VelCli::EUsageError("invalid --format value '" + text +
                              "': expected text, raw, json, xml or zbar-xml");
}

Vel::TVelEffort ParseEffort(const std::string& text) {
    if (text == "fast")
        return Vel::TVelEffort::efFast;
    if (text == "normal")
        return Vel::TVelEffort::efNormal;
    if (text == "thorough")
        return Vel::TVelEffort::efThorough;
    throw VelCli::EUsageError("invalid --effort value '" + text +
                              "': expected fast, normal or thorough");
}

unsigned ParseJobs(const std::string& text) {
    const auto value = ParseInteger(text);
    if (!value || *value < 1 || *value > MaxJobs)
        throw VelCli::EUsageError("invalid -j value '" + text + "': expected a number from 1 to " +
                                  std::to_string(MaxJobs));
    return static_cast<unsigned>(*value);
}

std::uint64_t ParsePixels(const std::string& option, const std::string& text) {
    const auto value = ParseInteger(text);
    if (!value || *value < 1)
        throw VelCli::EUsageError("invalid " + option + " value '" + text +
                                  "': expected a whole number of pixels, 1 or more");
    return static_cast<std::uint64_t>(*value);
}

int ParseResolution(const std::string& text) {
    const auto value = ParseInteger(text);
    if (!value || *value < 1 || *value > VelBatch::MaxResolution)
        throw VelCli::EUsageError("invalid --dpi value '" + text +
                                  "': expected dots per inch from 1 to " +
                                  std::to_string(VelBatch::MaxResolution));
    return static_cast<int>(*value);
}

Vel::TRect ParseRect(const std::string& text) {
    int values[4] = {};
    std::string_view rest = text;
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = rest.find(',');
        const bool last = i == 3;
        if (last != (comma == std::string_view::npos))
            break;
        const auto value = ParseInteger(rest.substr(0, comma));
        if (!value || *value < 0 || *value > INT_MAX)
            break;
        values[i] = static_cast<int>(*value);
        if (last)
            return {values[0], values[1], values[2], values[3]};
        rest.remove_prefix(comma + 1);
    }
    throw VelCli::EUsageError("invalid --rect value '" + text +
                              "': expected LEFT,TOP,WIDTH,HEIGHT, four whole numbers of 0 or more");
}

std::string ParseFolder(const std::string& text) {
    if (text.empty())
        throw VelCli::EUsageError("invalid --annotate value '': expected a folder");
    return text;
}

// A value read by the batch library; what it refuses is a usage error naming the option.
template <class TParse>
auto Parsed(const std::string& option, const std::string& text, TParse parse) {
    try {
        return parse(text);
    } catch (const VelBatch::EInvalidValue& error) {
        throw VelCli::EUsageError("invalid " + option + " value '" + text + "': " + error.what());
    }
}

// Standard input holds either one picture or a list of paths, not both.
void CheckStandardInputUse(const TOptions& options) {
    const bool listed = std::find(options.Batch.Paths.begin(), options.Batch.Paths.end(), "-") !=
                        options.Batch.Paths.end();
    if (options.Batch.StdinPicture && listed)
        throw VelCli::EUsageError("--stdin-picture and the path '-' both read standard input: "
                                  "give one of them");
}

// -v (repeatable) and --verbose raise the level by one, --verbose=N sets it, as zbarimg's do.
int ParseVerbose(const VelCli::TArgument& arg, int level) {
    if (!arg.Glued)
        return level + 1;
    const auto value = ParseInteger(*arg.Glued);
    if (!value || *value < 0 || *value > INT_MAX)
        throw VelCli::EUsageError("invalid --verbose value '" + std::string(*arg.Glued) +
                                  "': expected a number from 0");
    return static_cast<int>(*value);
}

// zbarimg's spellings, so that its users' commands and scripts run: those with a meaning here
// take it, those for a window or the desktop bus change nothing, and the display says what
// to use instead. Returns false for an option zbarimg does not have either.
bool ParseZbarimgOption(const VelCli::TArgument& arg, TOptions& options) {
    if (arg.IsFlag({"--raw"}))
        options.Format = TFormat::Raw;
    else if (arg.IsFlag({"--xml"}))
        options.Format = TFormat::ZbarXml;
    else if (arg.IsFlag({"--noxml"}))
        options.Format = TFormat::Text;
    else if (arg.IsFlag({"-1", "--oneshot"}))
        options.Batch.Scan.OneShot = true;
    else if (arg.IsFlag({"-d", "--display"}))
        throw VelCli::EUsageError(std::string(arg.Name) +
                                  " shows pictures in a window, which velscan does not open: "
                                  "--annotate DIR writes each picture with its barcodes drawn");
    else if (!arg.IsFlag({"-D", "--nodisplay", "--nodbus"}))
        return false;
    return true;
}

void ParseOption(const VelCli::TArgument& arg, VelCli::TArgReader& reader, TOptions& options) {
    if (arg.IsFlag({"-h", "--help"}))
        options.Action = TAction::Help;
    else if (arg.IsFlag({"--version"}))
        options.Action = TAction::Version;
    else if (arg.IsFlag({"-r", "--recursive"}))
        options.Batch.Recursive = true;
    else if (arg.IsFlag({"-0", "--null"}))
        options.Batch.PathList = VelBatch::TPathList::NulSeparated;
    else if (arg.Is({"-f", "--format"}))
        options.Format = ParseFormat(reader.Value(arg));
    else if (arg.Is({"-e", "--effort"}))
        options.Batch.Scan.Effort = ParseEffort(reader.Value(arg));
    else if (arg.Is({"-S", "--set"}))
        options.Batch.Scan.Configs.push_back(reader.Value(arg));
    else if (arg.Is({"--formats"}))
        options.Batch.Scan.Symbologies = ParseFormatList(reader.Value(arg));
    else if (arg.Is({"-j", "--jobs"}))
        options.Batch.Jobs = ParseJobs(reader.Value(arg));
    else if (arg.Is({"--rect"}))
        options.Batch.Scan.Rect = ParseRect(reader.Value(arg));
    else if (arg.Is({"--library"}))
        options.Batch.Scan.Library = reader.Value(arg);
    else if (arg.Is({"--max-pixels"}))
        options.Batch.Scan.MaxPixels = ParsePixels("--max-pixels", reader.Value(arg));
    else if (arg.Is({"--max-file-pixels"}))
        options.Batch.Scan.MaxFilePixels = ParsePixels("--max-file-pixels", reader.Value(arg));
    else if (arg.IsFlag({"--no-isolation"}))
        options.Batch.Isolation = false;
    else if (arg.Is({"--timeout"}))
        options.Batch.Timeout = Parsed("--timeout", reader.Value(arg), VelBatch::ParseTimeout);
    else if (arg.Is({"--memory-budget"}))
        options.Batch.MemoryBudget =
            Parsed("--memory-budget", reader.Value(arg), VelBatch::ParseByteSize);
    else if (arg.Is({"--pages"}))
        options.Batch.Scan.Pages =
            Parsed("--pages", reader.Value(arg), VelBatch::TPageSelection::Parse);
    else if (arg.Is({"--dpi"}))
        options.Batch.Scan.Resolution = ParseResolution(reader.Value(arg));
    else if (arg.IsFlag({"--all-points"}))
        options.AllPoints = true;
    else if (arg.IsFlag({"-p", "--with-path"}))
        options.WithPath = true;
    else if (arg.IsFlag({"-q", "--quiet"}))
        options.Quiet = true;
    else if (arg.IsFlag({"-v"}) || arg.Is({"--verbose"}))
        options.Verbose = ParseVerbose(arg, options.Verbose);
    else if (arg.IsFlag({"--stdin-picture"}))
        options.Batch.StdinPicture = true;
    else if (arg.Is({"--annotate"}))
        options.Batch.Scan.AnnotateFolder = ParseFolder(reader.Value(arg));
    else if (arg.Is({"--shard"}))
        options.Batch.Shard = Parsed("--shard", reader.Value(arg), VelBatch::ParseShard);
    else if (arg.Is({"--resume"}))
        options.Resume = reader.Value(arg);
    else if (arg.Is({"--merge"}))
        options.MergeOutput = reader.Value(arg);
    else if (arg.Is({"--expect"}))
        options.Expect = reader.Value(arg);
    else if (!ParseZbarimgOption(arg, options))
        throw VelCli::UnknownOption(arg);
}

// --resume appends JSON Lines; --merge joins such files and scans nothing.
void CheckBatchOptions(TOptions& options) {
    if (options.Resume && options.Format != TFormat::Json)
        throw VelCli::EUsageError("--resume needs --format json: it completes a JSON Lines file");
    if (options.Expect && !options.MergeOutput)
        throw VelCli::EUsageError("--expect goes with --merge");
    if (!options.MergeOutput || options.Action != TAction::Scan)
        return;
    if (options.Resume || options.Batch.Shard)
        throw VelCli::EUsageError("--merge joins results and scans nothing: it takes neither "
                                  "--resume nor --shard");
    if (options.Batch.Paths.empty())
        throw VelCli::EUsageError("--merge needs the JSON Lines files to join");
    options.Action = TAction::Merge;
}

} // namespace

TOptions ParseOptions(std::span<const char* const> args) {
    TOptions options;
    VelCli::TArgReader reader(args);
    while (const auto arg = reader.Next()) {
        if (arg->IsOperand())
            options.Batch.Paths.emplace_back(arg->Text);
        else
            ParseOption(*arg, reader, options);
    }
    options.Batch.Scan.ZBarLines = options.Verbose > 0;
    CheckStandardInputUse(options);
    CheckBatchOptions(options);
    if (options.Action == TAction::Scan && options.Batch.Paths.empty() &&
        !options.Batch.StdinPicture)
        throw VelCli::EUsageError("no picture given: name picture files or folders, '-' to read "
                                  "paths from standard input, or --stdin-picture to read a "
                                  "picture from it");
    return options;
}

std::string HelpText() {
    return R"(Usage: velscan [OPTIONS] PATH...
Finds the barcodes in pictures (PNG, JPEG, WebP, GIF, TIFF, BMP, PNM) and PDF documents
with the Vel component and ZBar, and prints what it finds. Every page of a many-page
file (TIFF pages, GIF frames, PDF pages) is scanned.

Each PATH is a picture file or a folder (its pictures, by file name extension, in sorted
order). A PATH of '-' reads paths from standard input, one per line (with -0, each
ended by a NUL byte).

Options:
  -r, --recursive        take the pictures of folders' subfolders too
  -0, --null             paths on standard input each end with a NUL byte, as
                         'find -print0' writes them (default: one path per line)
  -f, --format FORMAT    how results are printed:
                           text  one line per barcode, TYPE:DATA (default); in DATA a
                                 backslash, newline, carriage return, tab and other
                                 control bytes are written \\, \n, \r, \t and \xHH
                           raw   one line per barcode, the data only, unescaped
                           json  one JSON object per picture and line, in input order
                           xml   one XML document with a <picture> element per picture
                           zbar-xml  zbarimg's XML (--xml), for programs that read it
  -e, --effort LEVEL     how hard to look:
                           fast      ZBar's own scan, one pass, as zbarimg does
                           normal    also whole QR text, EAN/UPC add-ons, and three
                                     cheap retry passes where nothing was found (default)
                           thorough  every retry pass that pays, for about 3x the time
  -S, --set TEXT         a ZBar setting in ZBar's own syntax, e.g. 'qrcode.disable',
                         'ean13.enable=1', 'x-density=2'; repeatable, applied in order
      --formats LIST     read only these symbologies, e.g. ean13,qrcode,pdf417, or all but
                         some: -code39 (names as velscan prints them, case and
                         punctuation forgiven)
      --rect L,T,W,H     scan only this rectangle of each picture (pixels; a width or
                         height of 0 reaches the picture's edge)
  -j, --jobs N           scan N pictures at a time (default: one per processor core)
      --library NAME     the ZBar library file to load (default libzbar.so.0, of the
                         package libzbar0)
      --max-pixels N     read no picture of more than N pixels (default 268435456,
                         16384 x 16384); reading one takes about 5.5 bytes a pixel
      --max-file-pixels N
                         read no more than N pixels of one file's pages together
                         (default 8589934592, about 990 A4 pages at 300 dpi); the pages
                         past it are reported, not read
      --timeout SECONDS  the time a picture may take (default 120; 0: no limit); a
                         picture that takes longer is reported and the run goes on
      --memory-budget BYTES
                         the memory the pictures being scanned may take together, e.g.
                         512M or 2G (default: half the physical memory); a worker waits
                         for its picture's turn, and a picture that alone needs more is
                         reported
      --pages LIST       scan only these pages of many-page files, e.g. 1 or 2,4-6 or 3-
                         (default: every page; the first page is always read, to count
                         the pages)
      --dpi N            draw PDF pages at N dots per inch (default 300, at most 2400)
      --no-isolation     scan in threads of velscan's own process rather than in worker
                         processes (for profiling: a crash in ZBar then ends the run,
                         and --timeout does not apply)
      --all-points       json and xml give every point of each outline (for a linear
                         code, each place a scan line crossed it) instead of its hull
  -p, --with-path        start each text or raw line with the picture's path and a
                         colon: PATH:TYPE:DATA (the path escaped as DATA is)
  -q, --quiet            show no progress line; errors and warnings are still shown
  -v, --verbose          also show the lines ZBar itself writes to standard error while
                         scanning a picture (such as its assertion lines), each after the
                         picture's path; -v and --verbose raise the level by one,
                         --verbose=N sets it (0: off)
      --stdin-picture    also scan one picture of any kind read from standard input,
                         before the PATHs (none needed); it is shown as '-'
      --annotate DIR     write a PNG of each picture into DIR (made if missing) with
                         each barcode's outline, box and a label, and the scan
                         rectangle; named after the whole path, '/' as %2F, '%' as
                         %25, '#' as %23, then #PAGE for a page of a many-page file
      --shard K/N        scan only shard K of N (1 <= K <= N): the pictures whose path's
                         FNV-1a 64-bit hash modulo N is K-1, the same on every machine
      --resume FILE      complete the JSON Lines FILE of an earlier run (json format
                         only): a cut last line is removed, pictures with an entry are
                         skipped, and the others' entries are appended to FILE
      --merge OUT IN...  join the JSON Lines files IN (shards' results) into OUT, sorted
                         by path as a folder walk orders them; duplicates are reported
      --expect LIST      with --merge: the paths (or folders, walked as a scan walks
                         them) expected, one per line (with -0 NUL-separated; '-' for
                         standard input); pictures without an entry are reported
  -h, --help             show this help and exit
      --version          show the version and exit

zbarimg's options, for its users' commands and scripts:
  -1, --oneshot          report only the first barcode found in each picture
      --xml              the same as --format zbar-xml
      --raw              the same as --format raw
      --noxml            the same as --format text
  -D, --nodisplay        accepted; velscan opens no window anyway
      --nodbus           accepted; velscan sends no desktop bus message
  -d, --display          refused with a pointer to --annotate: velscan opens no window

)" + std::string(VelCli::OptionFormsHelp) +
           R"(
Results are printed in input order whatever N is. Pictures that cannot be read are
reported (on standard error for text and raw, in the picture's entry for json and xml)
and the others are still scanned; so are paths that are not regular files (a FIFO, a
device). The workers are processes of their own: a picture that crashes ZBar, or takes
longer than --timeout, is reported like a picture that cannot be read (its worker is
replaced), and the run goes on. What the libraries a worker calls write to standard
error while it reads or scans a picture is that picture's: a decoder's lines (libjpeg,
libpng, libtiff, poppler) become the picture's warning, named by the library, and ZBar's
own lines are shown with -v; at most 4096 bytes a page are kept. With --no-isolation
standard error is shared and shown as the libraries write it. A scan rectangle outside a picture is warned of. Results
that cannot be written (a full disk, a closed pipe) stop the run with a message and status
1. A progress line is shown on standard error while a long run goes on, when standard
error is a terminal.

)" + std::string(VelCli::ScanExitStatusHelp) +
           R"(
Examples:
  velscan label.png                      print the barcodes of one picture
  velscan -r --format json photos/       every picture under photos/, as JSON Lines
  find . -name '*.jpg' | velscan -       the pictures that find lists
  find . -name '*.png' -print0 | velscan -0 -
                                         the same, for any file name
  velscan -S '*.disable' -S 'qrcode.enable' -j 2 scans/
                                         only QR codes, two pictures at a time
  velscan --rect 0,0,400,200 ticket.jpg  only the top left corner of the picture
  velscan --effort thorough blurry.jpg   try harder on a difficult picture
  velscan -p -r scans/ | grep QR-Code    which files hold QR codes
  curl -s URL | velscan --stdin-picture  a picture from a pipe
  velscan --annotate marked/ photos/     see where each barcode was found
  velscan --shard 2/4 --format json scans/ > part2.jsonl
                                         the second quarter of the pictures
  velscan --merge all.jsonl part*.jsonl  the shards' results as one run's
)";
}

} // namespace VelScan
