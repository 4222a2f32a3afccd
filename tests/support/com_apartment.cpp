// Every COM test runs on a single-threaded apartment, as the host does. Compiled into each COM
// test program (a static library would drop it, since nothing refers to it).
#include <gtest/gtest.h>
#include <objbase.h>

namespace {

class ComApartment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { ::CoUninitialize(); }
};

::testing::Environment* const apartment = ::testing::AddGlobalTestEnvironment(new ComApartment);

}  // namespace
