// Shared set-up for the run-time core tests: default locale and a fixed clock
// (Wednesday 17 June 2026, 14:30), restored afterwards, so no test depends on
// the order the tests run in or on the day they run.
#pragma once

#include <gtest/gtest.h>

#include "vcl/sysutils.h"

class SysUtilsTest : public ::testing::Test {
protected:
  void SetUp() override {
    vcl::ResetLocale();
    FPreviousClock = vcl::SetNowFunction(
        [] { return vcl::EncodeDate(2026, 6, 17) + vcl::EncodeTime(14, 30, 0, 0); });
  }
  void TearDown() override {
    vcl::SetNowFunction(FPreviousClock);
    vcl::ResetLocale();
  }

private:
  vcl::TNowFunction FPreviousClock;
};

// Expects the call to raise EConvertError with exactly the given message; the
// message names the text, so a failure shows which case it was.
#define EXPECT_CONVERT_ERROR(Call, Msg)                                                            \
  do {                                                                                             \
    try {                                                                                          \
      (void)(Call);                                                                                \
      ADD_FAILURE() << #Call " did not raise " << (Msg);                                           \
    } catch (const vcl::EConvertError& E) {                                                        \
      EXPECT_EQ(E.Message(), Msg);                                                                 \
    }                                                                                              \
  } while (false)
