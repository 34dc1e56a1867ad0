// Numbers typed into dialog fields: what reads as a number and what is refused.
#include "base/number_entry.h"

#include <gtest/gtest.h>

#include <string>

TEST(NumberEntry, ReadsRealsInTheCLocaleWithBlanksAround) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"0", true, 0.0},       {"0.0", true, 0.0},     {"2", true, 2.0},     {"  2  ", true, 2.0},
        {"\t2.5\t", true, 2.5}, {"-1.25", true, -1.25}, {"+3", true, 3.0},    {"1e2", true, 100.0},
        {"1.5E-1", true, 0.15}, {"7.", true, 7.0},      {".5", true, 0.5},    {"00", true, 0.0},
        {"", false, 0},         {"   ", false, 0},      {".0", false, 0},     {"-0", false, 0},
        {"+0", false, 0},       {"abc", false, 0},      {"2x", false, 0},     {"2 3", false, 0},
        {"1e", false, 0},       {"0x10", false, 0},     {"inf", false, 0},    {"nan", false, 0},
        {"1,5", false, 0},      {"2\n", false, 0},      {"1e-400", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "'");
        double v = -99;
        EXPECT_EQ(ParseDialogFloat(c.text, v), c.ok);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value);
        }
    }
}

TEST(NumberEntry, ReadsUnsignedIntegersHeldToThe32BitRange) {
    struct Case {
        const char* text;
        bool ok;
        unsigned value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"400", true, 400},
        {" 12 ", true, 12},
        {"+5", true, 5},
        {"0042", true, 42},
        {"4294967295", true, 4294967295u},
        {"99999999999", true, 4294967295u}, // held to the 32-bit maximum
        {"", false, 0},
        {"-1", false, 0},
        {"-0", false, 0},
        {"abc", false, 0},
        {"12a", false, 0},
        {"1.5", false, 0},
        {"+", false, 0},
        {"1 2", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "'");
        unsigned v = 77;
        EXPECT_EQ(ParseDialogUInt(c.text, v), c.ok);
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
    }
}
