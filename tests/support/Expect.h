#pragma once

// The one way tests look at a failure: the exact message and code, or the message alone where
// the text is only partly fixed (compiler listings, nested loader reports).

#include "gralith/Exception.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

/// Expects statement to throw Gralith::Exception with exactly this message and code.
#define EXPECT_GRALITH_THROW(statement, text, errorCode)                                                               \
    do {                                                                                                               \
        int gralithCode_ = -1;                                                                                         \
        std::string gralithMessage_ = ::GralithTest::MessageOf([&] { (void)(statement); }, &gralithCode_);             \
        if (gralithCode_ == -1)                                                                                        \
            ADD_FAILURE() << "no Gralith::Exception from " #statement;                                                 \
        else {                                                                                                         \
            EXPECT_EQ(gralithMessage_, std::string(text)) << #statement;                                               \
            EXPECT_EQ(gralithCode_, errorCode) << #statement;                                                          \
        }                                                                                                              \
    } while (0)

namespace GralithTest {

/// The message of the Gralith::Exception f throws ("" when none), its code in *code.
template <class F>
std::string MessageOf(F&& f, int* code = nullptr) {
    try {
        std::forward<F>(f)();
    } catch (const ::Gralith::Exception& e) {
        if (code)
            *code = e.GetCode();
        return e.GetMessage();
    }
    return "";
}

} // namespace GralithTest
