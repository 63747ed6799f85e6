// Forms with many components: reading and destroying them takes time in proportion to their
// number (10k, 20k and 40k siblings took 0.15, 0.53 and 2.44 s when each name was checked
// against every earlier one).
#include "TestForm.h"

#include "vel/host/ClassRegistry.h"
#include "vel/host/Errors.h"
#include "vel/host/Forms.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

using namespace Host;

class TItem : public TComponent {
public:
    explicit TItem(TComponent* owner) : TComponent(owner) {}
};

TClassInfo MakeItemClass() {
    TClassInfo info(u"TItem", typeid(TItem), &ComponentClass());
    info.Create = [](TComponent* owner) -> TComponent* {
        return new TItem(owner);
    };
    return info;
}

const TClassRegistration ItemRegistration(MakeItemClass());

std::string SiblingsText(int count) {
    std::string text = "object Form1: TTestForm\n";
    for (int i = 0; i < count; ++i)
        text += "  object Item" + std::to_string(i) + ": TItem\n    Tag = " + std::to_string(i) +
                "\n  end\n";
    return text + "end\n";
}

TEST(LargeForm, ReadsAHundredThousandSiblingsInLinearTime) {
    constexpr int Count = 100000;
    const std::string text = SiblingsText(Count);
    const auto start = std::chrono::steady_clock::now();
    {
        VelTest::TTestForm form;
        ReadForm(text, form);
        ASSERT_EQ(form.ComponentCount(), Count);
        EXPECT_EQ(form.FindComponent(u"ITEM99999")->Tag(), 99999);
        EXPECT_EQ(form.FindComponent(u"item0")->Tag(), 0);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    // Well over ten times what the linear read takes, even in the sanitizer build.
    EXPECT_LT(took.count(), 20.0);
}

TEST(LargeForm, ANameClashAmongManySiblingsIsStillFound) {
    const std::string text = SiblingsText(1000);
    VelTest::TTestForm form;
    EXPECT_THROW(
        ReadForm(text.substr(0, text.size() - 4) + "  object item500: TItem\n  end\nend\n", form),
        EReadError);
    EXPECT_EQ(form.ComponentCount(), 0);
}

} // namespace
