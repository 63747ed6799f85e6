// Forms that cannot be read: each raises EReadError naming the line at fault, and every
// component the read created is destroyed again (the sanitizer build checks for leaks).
#include "TestForm.h"

#include "vel/TVel.h"
#include "vel/host/Errors.h"
#include "vel/host/Forms.h"

#include <gtest/gtest.h>

namespace {

using namespace Host;

struct TBadForm {
    const char* What;
    const char* Body; // the lines after a valid Vel0, from line 5 on
    int Line;
    const char* Message;
};

constexpr char Head[] = "object Form1: TTestForm\n"
                        "  object Vel0: TVel\n"
                        "    ScanLeft = 2\n"
                        "  end\n";

class BadForm : public testing::TestWithParam<TBadForm> {};

TEST_P(BadForm, RaisesReadErrorWithTheLineAndDestroysWhatItCreated) {
    const TBadForm& bad = GetParam();
    VelTest::TTestForm form;
    try {
        ReadForm(std::string(Head) + bad.Body, form);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("Line " + std::to_string(bad.Line) + ": ", 0), 0u) << message;
        EXPECT_NE(message.find(bad.Message), std::string::npos) << message;
    }
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadForm,
    testing::Values(
        TBadForm{"SyntaxError", "  object Vel1: TVel\n    ScanLeft 3\n  end\nend\n", 6,
                 "'=' expected"},
        TBadForm{"UnknownClass", "  object Vel1: TNoSuchClass\n  end\nend\n", 5,
                 "unknown class TNoSuchClass"},
        TBadForm{"NotAComponentClass", "  object Pic: TPicture\n  end\nend\n", 5,
                 "not a component class"},
        TBadForm{"UnknownProperty", "  object Vel1: TVel\n    ScanRight = 3\n  end\nend\n", 6,
                 "TVel has no property ScanRight"},
        TBadForm{"StringForInteger", "  object Vel1: TVel\n    ScanTop = 'ten'\n  end\nend\n", 6,
                 "ScanTop of TVel expects an integer, not a string"},
        TBadForm{"IntegerForBoolean", "  object Vel1: TVel\n    Active = 1\n  end\nend\n", 6,
                 "Active of TVel expects True or False"},
        TBadForm{"IntegerOutOfRange",
                 "  object Vel1: TVel\n    ScanWidth = 4294967296\n  end\nend\n", 6,
                 "ScanWidth of TVel cannot hold 4294967296"},
        TBadForm{"BinaryForString", "  object Vel1: TVel\n    Tag = {00}\n  end\nend\n", 6,
                 "expects an integer, not a binary block"},
        TBadForm{"TruncatedBinaryKind",
                 "  object Vel1: TVel\n    Picture.Data = {07544269}\n  end\nend\n", 6,
                 "Picture data truncated"},
        TBadForm{"TruncatedBinaryGraphic",
                 "  object Vel1: TVel\n    Picture.Data = {\n      07544269746D6170424D36}\n"
                 "  end\nend\n",
                 6, ""},
        TBadForm{"OddBinaryDigits",
                 "  object Vel1: TVel\n    Picture.Data = {\n      07544}\n  end\nend\n", 7,
                 "odd number of hexadecimal digits"},
        TBadForm{"PictureWithoutData", "  object Vel1: TVel\n    Picture = 'a.bmp'\n  end\nend\n",
                 6, "stored through its own properties"},
        TBadForm{"UnpublishedHandler",
                 "  object Vel1: TVel\n    OnBarcodeDetected = Vel1Scanned\n  end\nend\n", 6,
                 "publishes no method Vel1Scanned"},
        TBadForm{"HandlerAsString",
                 "  object Vel1: TVel\n    OnBarcodeDetected = 'Vel1BarcodeDetected'\n  end\n"
                 "end\n",
                 6, "expects a method name, not a string"},
        TBadForm{"DuplicateName", "  object vel0: TVel\n  end\nend\n", 5, "already exists"},
        TBadForm{"BadName", "  object Vel1: TVel\n    Name = '1st'\n  end\nend\n", 6,
                 "not a valid component name"}),
    [](const testing::TestParamInfo<TBadForm>& info) { return std::string(info.param.What); });

TEST(BadFormRoot, AFormOfAnotherClassIsRefused) {
    VelTest::TTestForm form;
    EXPECT_THROW(ReadForm("object Form1: TOtherForm\nend\n", form), EReadError);
    EXPECT_THROW(ReadForm("object Form1: TNoSuchForm\nend\n"), EReadError);
}

} // namespace
