#pragma once

#include "gralith/Exception.h"

#include <gtest/gtest.h>

/// Expects statement to throw Gralith::Exception with exactly this message and code.
#define EXPECT_GRALITH_THROW(statement, text, errorCode)                                                               \
    do {                                                                                                               \
        try {                                                                                                          \
            statement;                                                                                                 \
            ADD_FAILURE() << "no exception from " #statement;                                                          \
        } catch (const ::Gralith::Exception& e) {                                                                      \
            EXPECT_STREQ(e.GetMessage(), text);                                                                        \
            EXPECT_EQ(e.GetCode(), errorCode);                                                                         \
        }                                                                                                              \
    } while (0)
