// Call's routing by method number, the per-call interfaces, and the script handler call-back.
#include "module/script_fixture.h"

namespace zorvtest {
namespace {

using xtrahost::ValueOp;
using xtrahost::Values;

constexpr XtraResult kHostCode = static_cast<XtraResult>(0x80040777u);

class ScriptCallTest : public ScriptTest {
 protected:
  void expectCallFieldsEmpty() {
    EXPECT_EQ(session->object().field<void*>(fieldOffset(9)), nullptr);
    EXPECT_EQ(session->object().field<void*>(fieldOffset(10)), nullptr);
  }
  std::vector<ValueOp> valueOps(std::size_t from) const {
    std::vector<ValueOp> ops;
    for (std::size_t i = from; i < host.values.calls().size(); ++i) {
      ops.push_back(host.values.calls()[i].op);
    }
    return ops;
  }
  HostValue me() const { return session->instanceValue(); }
};

TEST_F(ScriptCallTest, NumbersOutsideOneToSixDoNothing) {
  for (std::int32_t method : {0, 7, -1, 1000, INT32_MIN}) {
    SCOPED_TRACE(method);
    xtrahost::CallOutcome o = call(method, {host.values.makeString("x")}, Values::makeInteger(99));
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(integer(o), 99);
    expectCallFieldsEmpty();
  }
  EXPECT_TRUE(host.values.calls().empty());
}

TEST_F(ScriptCallTest, MethodsReachTheirHandlersInTableOrder) {
  host.engine.setHandler("probe", [](std::int32_t, HostValue*, HostValue*) { return 0; });
  const HostValue probe = host.values.makeSymbol("probe");
  const std::vector<std::vector<ValueOp>> expected = {
      {ValueOp::ValueToString, ValueOp::IntegerToValue},  // 1 load (nothing to find)
      {ValueOp::IntegerToValue},                          // 2 start without a module
      {ValueOp::IntegerToValue},                          // 3 score without a module
      {ValueOp::IntegerToValue},                          // 4 stop without a module
      {ValueOp::ValueToSymbol},                           // 5 callAFunction
      {ValueOp::ValueToSymbol},                           // 6 callACommand
  };
  for (std::int32_t method = 1; method <= 6; ++method) {
    SCOPED_TRACE(method);
    const std::size_t before = host.values.calls().size();
    const std::size_t handlerCalls = host.engine.calls().size();
    xtrahost::CallOutcome o =
        call(method, method >= 5 ? std::vector<HostValue>{me(), probe}
                                 : std::vector<HostValue>{host.values.makeString("none.dll")});
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(valueOps(before), expected[method - 1]);
    ASSERT_EQ(host.engine.calls().size(), handlerCalls + (method >= 5 ? 1 : 0));
    if (method >= 5) {
      EXPECT_EQ(host.engine.calls().back().wantsResult, method == 5);
    }
    expectCallFieldsEmpty();
  }
}

TEST_F(ScriptCallTest, NoContextMeansNoHandler) {
  host.engine.failGetCallContext(kHostCode, 1);
  xtrahost::CallOutcome o =
      call(1, {host.values.makeString("tgm_all.dll")}, Values::makeInteger(5));
  EXPECT_EQ(o.code, kHostCode);
  EXPECT_EQ(integer(o), 5);
  EXPECT_TRUE(host.values.calls().empty());
  expectCallFieldsEmpty();

  host.engine.context().failGetSubInterface(kHostCode, 1);
  o = call(2, {}, Values::makeInteger(6));
  EXPECT_EQ(o.code, kHostCode);
  EXPECT_EQ(integer(o), 6);
  EXPECT_TRUE(host.values.calls().empty());
  expectCallFieldsEmpty();
}

TEST_F(ScriptCallTest, EveryCallGivesBackItsContextAndSubInterface) {
  for (int i = 0; i < 3; ++i) call(2);
  EXPECT_EQ(host.engine.context().counts().outstanding(), 0);
  EXPECT_EQ(host.engine.context().subInterface().counts().outstanding(), 0);
  EXPECT_EQ(host.log.count("ScriptEngine.GetCallContext"), 3u);
  EXPECT_EQ(host.log.count("CallContext.GetSubInterface"), 3u);
  EXPECT_TRUE(host.log.inOrder({"ScriptEngine.GetCallContext", "CallContext.GetSubInterface",
                                "Values.IntegerToValue(0)", "CallContext.Release",
                                "CallContextSub.Release"}))
      << ::testing::PrintToString(host.log.entries());
}

TEST_F(ScriptCallTest, CallAFunctionPassesTheArgumentsAfterTheSymbolAndTakesTheResult) {
  host.engine.setHandler("join", [this](std::int32_t argc, HostValue* args, HostValue* result) {
    std::string joined;
    for (std::int32_t i = 0; i < argc; ++i) joined += host.values.describe(args[i]) + ";";
    *result = host.values.makeString(joined);
    return 0;
  });
  const HostValue join = host.values.makeSymbol("join");
  xtrahost::CallOutcome two = call(5, {me(), join});
  EXPECT_EQ(two.code, 0);
  EXPECT_EQ(text(two), "");
  EXPECT_EQ(host.engine.calls().back().argCount, 0);

  xtrahost::CallOutcome four = call(5, {me(), join, Values::makeInteger(7),
                                        host.values.makeString("b"), host.values.makeSymbol("c")});
  EXPECT_EQ(four.code, 0);
  EXPECT_EQ(text(four), "7;\"b\";#c;");
  EXPECT_EQ(host.engine.calls().back().argCount, 3);
}

TEST_F(ScriptCallTest, CallACommandLeavesTheResultAlone) {
  host.engine.setHandler("note", [](std::int32_t argc, HostValue*, HostValue* result) {
    return result == nullptr && argc == 1 ? 0 : static_cast<XtraResult>(0x80040999u);
  });
  xtrahost::CallOutcome o = call(6, {me(), host.values.makeSymbol("note"), Values::makeInteger(1)},
                                 Values::makeInteger(42));
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(integer(o), 42);
  EXPECT_FALSE(host.engine.calls().back().wantsResult);
}

TEST_F(ScriptCallTest, HostCodesFromTheSymbolAndTheHandlerComeBackUnchanged) {
  host.engine.setHandler("fails", [](std::int32_t, HostValue*, HostValue*) { return kHostCode; });
  EXPECT_EQ(call(5, {me(), host.values.makeSymbol("fails")}).code, kHostCode);
  EXPECT_EQ(call(6, {me(), host.values.makeSymbol("fails")}).code, kHostCode);

  const std::size_t handlerCalls = host.engine.calls().size();
  host.values.fail(ValueOp::ValueToSymbol, kHostCode, 1);
  EXPECT_EQ(call(5, {me(), host.values.makeSymbol("fails")}).code, kHostCode);
  EXPECT_NE(call(6, {me(), host.values.makeString("not a symbol")}).code, 0);
  EXPECT_EQ(host.engine.calls().size(), handlerCalls);

  EXPECT_NE(call(5, {me(), host.values.makeSymbol("nobody")}).code, 0);
}

TEST_F(ScriptCallTest, TooFewArgumentsAreRefusedBeforeAnythingIsRead) {
  for (std::int32_t method : {5, 6}) {
    EXPECT_EQ(call(method, {me()}).code, xtra::kNotAvailable);
    EXPECT_EQ(call(method, {}).code, xtra::kNotAvailable);
  }
  EXPECT_TRUE(host.values.calls().empty());
  EXPECT_TRUE(host.engine.calls().empty());
}

TEST_F(ScriptCallTest, AHandlerMayCallBackIntoTheSameInstance) {
  host.engine.setHandler("inner", [this](std::int32_t, HostValue*, HostValue* result) {
    xtrahost::CallOutcome nested = call(5, {me(), host.values.makeSymbol("leaf")});
    *result = nested.result;
    return nested.code;
  });
  host.engine.setHandler("leaf", [](std::int32_t, HostValue*, HostValue* result) {
    *result = Values::makeInteger(314);
    return 0;
  });
  xtrahost::CallOutcome o = call(5, {me(), host.values.makeSymbol("inner")});
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(integer(o), 314);
  EXPECT_EQ(host.log.count("ScriptEngine.GetCallContext"), 2u);
  EXPECT_EQ(host.engine.context().counts().outstanding(), 0);
  expectCallFieldsEmpty();
}

}  // namespace
}  // namespace zorvtest
