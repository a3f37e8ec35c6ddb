// Checks that a call raises a dispatch exception with the given code and text.
#pragma once

#include <automation/DispatchException.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

inline void expectDispatchError(const std::function<void()>& call, int code,
                                const std::string& text) {
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (const kesto::automation::DispatchException& e) {
    EXPECT_EQ(e.code, code);
    EXPECT_EQ(e.description, text);
  }
}
