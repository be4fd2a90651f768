// A fault the sanitizer build must catch: reading a platform after it was
// deleted, as a cell that outlived its platform would. Disabled, because in a
// normal build the read goes unnoticed; run on purpose in the sanitizer build
// (scripts/sanitize --canary), where AddressSanitizer must end it with a
// heap-use-after-free report and a failing status.

#include "towers/platform.h"

#include <gtest/gtest.h>

// The compiler sees the read of freed memory too; here it is the point.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wuse-after-free"
#endif

TEST(SanitizerCanary, DISABLED_ReadingADeletedPlatformFails)
{
    Platform* platform = new Platform(5, 5);
    delete platform;
    const volatile std::int32_t* health = &platform->health;
    EXPECT_EQ(*health, 100);
}
