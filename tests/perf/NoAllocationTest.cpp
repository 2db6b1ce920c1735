// A capture tick runs 30 times a second on the user-interface thread: it
// must not allocate. Every allocation in this program is counted.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "pages/PageHarness.h"

namespace {
std::atomic<long> g_allocations{0};
}

// The replacements below pair with each other; GCC cannot see that.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size != 0 ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace ravel {
namespace {

TEST(CaptureTick, AllocatesNothing) {
    testing::Harness h;
    h.input.controllers = {
        {kDiOk, testing::Joystick(32, {testing::AxisObject(GUID_ZAxis, 2), testing::PovObject(0)})},
        {kDiOk, testing::Joystick(12)}};
    h.OpenAll();
    h.keyboard.Focus(1046);
    h.joystick.Focus(1046);
    const long before = g_allocations.load();
    for (int i = 0; i < 200; ++i) {
        if (i == 100) {  // then a key and a button held: captured every tick
            h.Keyboard()->keys[0x24] = 0x80;
            h.Joystick(1)->state.rgbButtons[3] = 0x80;
        }
        h.keyboard.Tick();
        h.joystick.Tick();
    }
    EXPECT_EQ(g_allocations.load() - before, 0);
    EXPECT_EQ(h.keyboard.SelectedText(1046) + h.joystick.SelectedText(1046), "J2BUTTON4");
}

}  // namespace
}  // namespace ravel
