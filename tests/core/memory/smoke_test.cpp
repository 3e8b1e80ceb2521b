#include <gtest/gtest.h>

#include "core/memory/hex_text.h"

TEST(smoke, core_library_links) { EXPECT_EQ(picprog::hex4h(0x2007), "2007h"); }
