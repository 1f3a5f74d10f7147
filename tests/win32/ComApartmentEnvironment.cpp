// The test thread is a single-threaded COM apartment, as the control's host thread is:
// the MSXML and XMLHTTP adapters expect COM to be initialised by their caller.
#include <gtest/gtest.h>

#include <memory>

#include "platform/win32/ComSupport.h"

namespace zu::test {
namespace {

class ComApartmentEnvironment : public ::testing::Environment {
public:
    void SetUp() override { apartment_ = std::make_unique<win::ComApartment>(); }
    void TearDown() override { apartment_.reset(); }

private:
    std::unique_ptr<win::ComApartment> apartment_;
};

const auto* const kComApartment = ::testing::AddGlobalTestEnvironment(new ComApartmentEnvironment);

}  // namespace
}  // namespace zu::test
