#include "vel/host/Exception.h"

#include <utility>

namespace Host {

Exception::Exception(String message) : FMessage(std::move(message)), FWhat(ToAnsi(FMessage)) {}

} // namespace Host
