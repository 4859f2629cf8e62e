// Script values: conversions both ways, snprintf-like text copies, symbols shared with the
// script engine, the record of calls and failure injection.
#include <gtest/gtest.h>

#include <cstring>

#include "host_codes.h"
#include "values.h"

namespace xtrahost {
namespace {

class ValuesTest : public ::testing::Test {
 protected:
  CallLog log;
  SymbolTable symbols;
  Values values{log, symbols};
};

TEST_F(ValuesTest, IntegersAndStringsRoundTripThroughText) {
  HostValue v{};
  ASSERT_EQ(values.IntegerToValue(-42, &v), xtra::kOk);
  char text[16];
  ASSERT_EQ(values.ValueToString(&v, text, sizeof text), xtra::kOk);
  EXPECT_STREQ(text, "-42");
  EXPECT_EQ(Values::integerOf(v), -42);

  ASSERT_EQ(values.StringToValue("a \"quoted\" text", &v), xtra::kOk);
  ASSERT_EQ(values.ValueToString(&v, text, sizeof text), xtra::kOk);
  EXPECT_STREQ(text, "a \"quoted\" text");
  EXPECT_EQ(values.describe(v), "\"a \\\"quoted\\\" text\"");
}

TEST_F(ValuesTest, TextIsCutToTheBufferLikeSnprintf) {
  HostValue v = values.makeString("abcdefgh");
  char text[8];
  std::memset(text, 'x', sizeof text);
  ASSERT_EQ(values.ValueToString(&v, text, 4), xtra::kOk);
  EXPECT_STREQ(text, "abc");
  EXPECT_EQ(text[4], 'x');
  ASSERT_EQ(values.ValueToString(&v, text, 0), xtra::kOk);
  EXPECT_STREQ(text, "abc");  // size 0 writes nothing
}

TEST_F(ValuesTest, SymbolsConvertToTheirNumberAndOthersAreRefused) {
  const HostValue sym = values.makeSymbol("myHandler");
  HostSymbol out = 0;
  ASSERT_EQ(values.ValueToSymbol(&sym, &out), xtra::kOk);
  EXPECT_EQ(symbols.name(out), "myHandler");
  char text[16];
  ASSERT_EQ(values.ValueToString(&sym, text, sizeof text), xtra::kOk);
  EXPECT_STREQ(text, "myHandler");

  HostSymbol untouched = 77;
  const HostValue str = values.makeString("myHandler");
  EXPECT_EQ(values.ValueToSymbol(&str, &untouched), kNotASymbol);
  EXPECT_EQ(untouched, 77u);
}

TEST_F(ValuesTest, ValuesNotMadeByTheHostAreRefused) {
  const HostValue garbage{{0xCDCDCDCDu, 0xCDCDCDCDu}};
  char text[8] = "keep";
  EXPECT_EQ(values.ValueToString(&garbage, text, sizeof text), kBadValue);
  EXPECT_STREQ(text, "keep");
  EXPECT_EQ(values.describe(Values::makeVoid()), "<void>");
}

TEST_F(ValuesTest, InjectedFailureLeavesOutputsAloneAndCanBeCounted) {
  const XtraResult code = static_cast<XtraResult>(0x80049999u);
  values.fail(ValueOp::ValueToString, code, 1);
  const HostValue v = Values::makeInteger(5);
  char text[8] = "keep";
  EXPECT_EQ(values.ValueToString(&v, text, sizeof text), code);
  EXPECT_STREQ(text, "keep");
  EXPECT_EQ(values.ValueToString(&v, text, sizeof text), xtra::kOk);
  EXPECT_STREQ(text, "5");

  values.fail(ValueOp::IntegerToValue, code);
  HostValue out = values.makeString("before");
  EXPECT_EQ(values.IntegerToValue(1, &out), code);
  EXPECT_EQ(values.stringOf(out), "before");
}

TEST_F(ValuesTest, EveryCallIsRecordedInOrder) {
  HostValue v{};
  values.IntegerToValue(1, &v);
  values.StringToValue("abc", &v);
  char text[16];
  values.ValueToString(&v, text, 16);
  ASSERT_EQ(values.calls().size(), 3u);
  EXPECT_EQ(values.calls()[0].op, ValueOp::IntegerToValue);
  EXPECT_EQ(values.calls()[2].text, "abc");
  EXPECT_EQ(values.calls()[2].size, 16);
  EXPECT_EQ(log.entries(),
            (std::vector<std::string>{"Values.IntegerToValue(1)", "Values.StringToValue(\"abc\")",
                                      "Values.ValueToString(\"abc\", 16)"}));
}

}  // namespace
}  // namespace xtrahost
