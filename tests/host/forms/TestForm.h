// A form class for the tests: a root that publishes one event handler method and can look
// at its components when the reader calls its Loaded.
#pragma once

#include "vel/host/ClassRegistry.h"
#include "vel/host/Component.h"

#include <functional>

namespace VelTest {

class TTestForm : public Host::TComponent {
public:
    explicit TTestForm(Host::TComponent* owner = nullptr) : Host::TComponent(owner) {}

    void Vel1BarcodeDetected(Host::TObject* sender) {
        ++Calls;
        LastSender = sender;
    }

    void Loaded() override {
        Host::TComponent::Loaded();
        if (OnLoaded)
            OnLoaded(*this);
    }

    int Calls = 0;
    Host::TObject* LastSender = nullptr;
    std::function<void(TTestForm&)> OnLoaded;
};

const Host::TClassInfo& TestFormClass();

} // namespace VelTest
