// What the run and its worker processes send each other: settings, inputs and results read
// back equal to what was written; cut, run-on and oversized messages refused.
#include "Channel.h"
#include "ResultWire.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace VelBatch;

// A barcode with every field set to something other than its default.
Vel::TBarcode FullBarcode() {
    Vel::TBarcode barcode;
    barcode.Symbology = Vel::TVelSymbology::syEan13;
    barcode.SymbologyName = "EAN-13";
    barcode.SymbologyAddon = Vel::TVelSymbologyAddon::sa5Digit;
    barcode.SymbologyAddonName = "+5";
    barcode.Data = std::string("978020137962\0\xff"
                               "52495",
                               19);
    barcode.Quality = 42;
    barcode.Orientation = Vel::TVelOrientation::orLeft;
    barcode.OrientationName = "LEFT";
    barcode.Modifiers = {Vel::TVelModifier::moAimReserved};
    barcode.Configs = {Vel::TVelConfig::coEmitCheck, Vel::TVelConfig::coAddCheck};
    barcode.Outline = {{1, 2}, {300, 2}, {300, -4}, {1, 99}};
    barcode.AddonData = "52495";
    barcode.Pass = "density3";
    barcode.Page = 3;
    return barcode;
}

TFileResult FullResults() {
    TPageResult read{.Path = "scans/\xfe tab\t.tif",
                     .Page = 2,
                     .Pages = 3,
                     .Width = 640,
                     .Height = 480,
                     .Barcodes = {FullBarcode(), Vel::TBarcode{}},
                     .Warning = "picture truncated",
                     .Truncated = true,
                     .ZBarLines = {"zbar says", ""}};
    TPageResult failed{.Path = read.Path,
                       .Page = 3,
                       .Pages = 3,
                       .Error = "Cannot load the picture: too large",
                       .ErrorKind = TErrorKind::ekPixelLimit};
    return {read, failed};
}

TEST(BatchWire, ResultsReadBackEqual) {
    const TFileResult results = FullResults();
    EXPECT_EQ(DecodeResults(EncodeResults(results)), results);
    EXPECT_EQ(DecodeResults(EncodeResults({TPageResult{}})), TFileResult{TPageResult{}});
}

TEST(BatchWire, InputsAndSettingsReadBackEqual) {
    const TInput input{
        .Path = "-", .Error = std::nullopt, .Source = "/tmp/x", .FirstPage = 4, .LastPage = 6};
    const TInput back = DecodeInput(EncodeInput(input));
    EXPECT_EQ(back.Path, input.Path);
    EXPECT_EQ(back.Source, input.Source);
    EXPECT_EQ(back.FirstPage, input.FirstPage);
    EXPECT_EQ(back.LastPage, input.LastPage);

    TScanSettings settings{.Configs = {"ean13.disable", "qrcode.binary=1"},
                           .Rect = Vel::TRect{5, 6, 0, 70},
                           .Effort = Vel::TVelEffort::efThorough,
                           .Symbologies = {Vel::TVelSymbology::syQrCode},
                           .Library = "/opt/libzbar.so.0",
                           .MaxPixels = 12345,
                           .MaxFilePixels = 678910,
                           .Pages = TPageSelection::Parse("1,3-5,8-"),
                           .Resolution = 150,
                           .OneShot = true,
                           .ZBarLines = true,
                           .AnnotateFolder = "marked"};
    EXPECT_EQ(DecodeSettings(EncodeSettings(settings)), settings);
    EXPECT_EQ(DecodeSettings(EncodeSettings(TScanSettings{})), TScanSettings{});
}

// Every cut of a message, and a byte past its end, is refused rather than read as something
// else.
TEST(BatchWire, CutAndRunOnMessagesAreRefused) {
    const std::string results = EncodeResults(FullResults());
    for (std::size_t size = 0; size < results.size(); ++size)
        EXPECT_THROW(DecodeResults(results.substr(0, size)), EBadResultBytes) << size;
    EXPECT_THROW(DecodeResults(results + 'x'), EBadResultBytes);
    const std::string settings = EncodeSettings(TScanSettings{.Configs = {"x"}});
    for (std::size_t size = 0; size < settings.size(); ++size)
        EXPECT_THROW(DecodeSettings(settings.substr(0, size)), EBadResultBytes) << size;
    EXPECT_THROW(DecodeInput(EncodeInput({.Path = "a"}) + '\0'), EBadResultBytes);
}

// A count that claims more than the bytes hold is refused without taking the memory claimed.
TEST(BatchWire, ACountBeyondTheBytesIsRefused) {
    std::string bytes(8, '\xff'); // 2^64 - 1 pages
    EXPECT_THROW(DecodeResults(bytes), EBadResultBytes);
}

class BatchChannel : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, FSockets), 0); }
    void TearDown() override {
        close(FSockets[0]);
        if (FSockets[1] >= 0)
            close(FSockets[1]);
    }
    int FSockets[2] = {-1, -1};
};

TEST_F(BatchChannel, MessagesArriveWholeAndInOrder) {
    const std::string large(3 << 20, 'q'); // more than a socket buffer holds
    std::thread sender([&] {
        EXPECT_TRUE(SendMessage(FSockets[1], "first"));
        EXPECT_TRUE(SendMessage(FSockets[1], ""));
        EXPECT_TRUE(SendMessage(FSockets[1], large));
    });
    EXPECT_EQ(ReceiveMessage(FSockets[0]), "first");
    EXPECT_EQ(ReceiveMessage(FSockets[0]), "");
    EXPECT_EQ(ReceiveMessage(FSockets[0]), large);
    sender.join();
    close(FSockets[1]);
    FSockets[1] = -1;
    EXPECT_EQ(ReceiveMessage(FSockets[0]), std::nullopt); // the peer is gone
}

TEST_F(BatchChannel, AnOversizedMessageIsRefusedBeforeItsBytesAreTaken) {
    const std::uint64_t length = MaxMessageBytes + 1;
    ASSERT_EQ(write(FSockets[1], &length, sizeof length), static_cast<ssize_t>(sizeof length));
    EXPECT_THROW(ReceiveMessage(FSockets[0]), EMessageTooLong);
}

TEST_F(BatchChannel, AMessageCutByTheSendersEndIsNone) {
    const std::uint64_t length = 100;
    ASSERT_EQ(write(FSockets[1], &length, sizeof length), static_cast<ssize_t>(sizeof length));
    ASSERT_EQ(write(FSockets[1], "only part", 9), 9);
    close(FSockets[1]);
    FSockets[1] = -1;
    EXPECT_EQ(ReceiveMessage(FSockets[0]), std::nullopt);
}

} // namespace
