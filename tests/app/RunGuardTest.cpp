// One run at a time: whatever holds the guard's name keeps a second run out.
#include "app/RunGuard.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

constexpr wchar_t kName[] = L"Local\\OrvekDataSetupRunTest";

TEST(RunGuard, AnotherRunOrAnotherKindOfObjectUnderTheNameKeepsTheRunOut)
{
    fw::ScopedKernelHandle first;
    ASSERT_TRUE(OwnRunGuard(first, kName));
    fw::ScopedKernelHandle second;
    EXPECT_FALSE(OwnRunGuard(second, kName));
    first.Reset();
    EXPECT_TRUE(OwnRunGuard(second, kName));
    second.Reset();

    // An event planted under the name: the mutex cannot be made at all.
    fw::ScopedKernelHandle planted(::CreateEventW(nullptr, TRUE, FALSE, kName));
    ASSERT_TRUE(planted.Valid());
    fw::ScopedKernelHandle guard;
    EXPECT_FALSE(OwnRunGuard(guard, kName));
}

}  // namespace
