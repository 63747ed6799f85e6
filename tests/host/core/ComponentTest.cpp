#include "vel/host/Component.h"
#include "vel/host/Errors.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Host;

namespace {

// Records its destruction, and the state Loaded leaves.
class Probe : public TComponent {
public:
    explicit Probe(TComponent* owner, std::vector<intptr_t>* destroyed = nullptr)
        : TComponent(owner), FDestroyed(destroyed) {}
    ~Probe() override {
        if (FDestroyed)
            FDestroyed->push_back(Tag());
    }
    void Loaded() override {
        TComponent::Loaded();
        LoadingAfterBase = ComponentState().Contains(csLoading);
    }
    bool LoadingAfterBase = true;

private:
    std::vector<intptr_t>* FDestroyed;
};

TEST(Component, StartsEmptyAndJoinsItsOwner) {
    TComponent owner(nullptr);
    auto* child = new TComponent(&owner);
    EXPECT_EQ(owner.Owner(), nullptr);
    EXPECT_EQ(child->Owner(), &owner);
    EXPECT_TRUE(child->Name().empty());
    EXPECT_TRUE(child->ComponentState().Empty());
    EXPECT_EQ(child->Tag(), 0);
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), child);
    EXPECT_THROW(owner.Components(1), EComponentError);
    EXPECT_THROW(owner.Components(-1), EComponentError);
}

TEST(Component, OwnerDestroysItsComponentsLastFirst) {
    std::vector<intptr_t> destroyed;
    auto owner = std::make_unique<Probe>(nullptr, &destroyed);
    owner->SetTag(1);
    auto* first = new Probe(owner.get(), &destroyed);
    first->SetTag(2);
    (new Probe(owner.get(), &destroyed))->SetTag(3);
    (new Probe(first, &destroyed))->SetTag(4);
    owner.reset();
    EXPECT_EQ(destroyed, (std::vector<intptr_t>{1, 3, 2, 4}));
}

TEST(Component, DestroyedComponentLeavesItsOwner) {
    TComponent owner(nullptr);
    auto* first = new TComponent(&owner);
    auto* second = new TComponent(&owner);
    delete first;
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), second);
}

TEST(Component, InsertMovesAndRemoveReleases) {
    TComponent a(nullptr);
    TComponent b(nullptr);
    auto child = std::make_unique<TComponent>(&a);
    b.InsertComponent(child.get());
    EXPECT_EQ(child->Owner(), &b);
    EXPECT_EQ(a.ComponentCount(), 0);
    EXPECT_EQ(b.ComponentCount(), 1);
    b.RemoveComponent(child.get());
    EXPECT_EQ(child->Owner(), nullptr);
    EXPECT_EQ(b.ComponentCount(), 0);
    EXPECT_THROW(child->InsertComponent(child.get()), EComponentError);
    EXPECT_THROW(b.InsertComponent(nullptr), EComponentError);
}

TEST(Component, OwnershipCycleIsRefused) {
    TComponent root(nullptr);
    auto* child = new TComponent(&root);
    EXPECT_THROW(child->InsertComponent(&root), EComponentError);
    EXPECT_EQ(root.Owner(), nullptr);
}

struct NameCase {
    const char16_t* Name;
    bool Valid;
};

class ComponentName : public testing::TestWithParam<NameCase> {};

TEST_P(ComponentName, AcceptsIdentifiersOrEmptyAndNamesTheRefusedValue) {
    TComponent c(nullptr);
    const String name = GetParam().Name;
    if (GetParam().Valid) {
        c.SetName(name);
        EXPECT_EQ(c.Name(), name);
        return;
    }
    c.SetName(u"Before");
    try {
        c.SetName(name);
        FAIL() << "no exception";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), u"'" + name + u"' is not a valid component name");
    }
    EXPECT_EQ(c.Name(), u"Before");
}

INSTANTIATE_TEST_SUITE_P(Host, ComponentName,
                         testing::Values(NameCase{u"Vel1", true}, NameCase{u"_x_9", true},
                                         NameCase{u"", true}, NameCase{u"1Vel", false},
                                         NameCase{u"Vel 1", false}, NameCase{u"Vel-1", false},
                                         NameCase{u"V\u00e9l", false}));

TEST(Component, NameIsUniqueAmongTheOwnersComponentsWithoutRegardToCase) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName(u"Scanner");
    try {
        b->SetName(u"SCANNER");
        FAIL() << "no exception";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), u"A component named SCANNER already exists");
    }
    a->SetName(u"scanner"); // renaming itself is no clash
    b->SetName(u"");
    auto* c = new TComponent(&owner);
    EXPECT_NO_THROW(c->SetName(u"")); // empty names never clash
    EXPECT_EQ(owner.FindComponent(u"SCANNER"), a);
    EXPECT_EQ(owner.FindComponent(u""), nullptr);

    TComponent other(nullptr);
    auto* stranger = new TComponent(&other);
    stranger->SetName(u"Scanner");
    EXPECT_THROW(owner.InsertComponent(stranger), EComponentError);
    EXPECT_EQ(stranger->Owner(), &other);
}

TEST(Component, FindsComponentsByTheirCurrentNameAndOwner) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    a->SetName(u"First");
    a->SetName(u"Second");
    EXPECT_EQ(owner.FindComponent(u"first"), nullptr);
    EXPECT_EQ(owner.FindComponent(u"second"), a);
    auto* b = new TComponent(&owner);
    b->SetName(u"First"); // the old name is free again
    TComponent other(nullptr);
    other.InsertComponent(a);
    EXPECT_EQ(owner.FindComponent(u"Second"), nullptr);
    EXPECT_EQ(other.FindComponent(u"Second"), a);
    delete b;
    EXPECT_EQ(owner.FindComponent(u"First"), nullptr);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(Component, LoadedClearsLoadingInItsOwnWork) {
    Probe c(nullptr);
    c.SetLoading(true);
    EXPECT_TRUE(c.ComponentState().Contains(csLoading));
    EXPECT_FALSE(c.ComponentState().Contains(csDesigning));
    c.Loaded();
    EXPECT_FALSE(c.LoadingAfterBase);
    EXPECT_FALSE(c.ComponentState().Contains(csLoading));
}

TEST(Component, DesigningReachesOwnedComponents) {
    TComponent form(nullptr);
    auto* before = new TComponent(&form);
    form.SetDesigning(true);
    auto* after = new TComponent(&form);
    EXPECT_TRUE(before->ComponentState().Contains(csDesigning));
    EXPECT_TRUE(after->ComponentState().Contains(csDesigning));
    form.SetDesigning(false);
    EXPECT_FALSE(after->ComponentState().Contains(csDesigning));
}

TEST(Component, ClassNameIsTheMostDerivedClassWithoutNamespace) {
    Probe p(nullptr);
    EXPECT_EQ(p.ClassName(), u"Probe");
    TComponent c(nullptr);
    EXPECT_EQ(c.ClassName(), u"TComponent");
}

TEST(Persistent, AssignWithoutConversionNamesBothClasses) {
    TComponent a(nullptr);
    Probe b(nullptr);
    try {
        a.Assign(&b);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"Cannot assign a Probe to a TComponent");
    }
    EXPECT_THROW(a.Assign(nullptr), EConvertError);
}

} // namespace
