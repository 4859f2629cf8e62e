// Message tables and script files as xtrahost reads them.
#include <gtest/gtest.h>

#include "message_table.h"
#include "script_file.h"

namespace xtrahost {
namespace {

const char kTable[] =
    "xtra Sample -- a sample\n"
    "new object me\n"
    "-- MISC --\n"
    "* load string name --\n"
    "* stop --\n"
    "callBack object me, symbol other, * --\n"
    "callCmd  object me, symbol other, * --\n";

TEST(MessageTableTest, NumbersMethodLinesAndSkipsComments) {
  const MessageTable table = parseMessageTable(kTable);
  EXPECT_EQ(table.xtraName, "Sample");
  ASSERT_EQ(table.methods.size(), 5u);
  EXPECT_EQ(table.find("load")->number, 1);
  EXPECT_FALSE(table.find("load")->takesInstance);
  EXPECT_EQ(table.find("callCmd")->number, 4);
  EXPECT_TRUE(table.find("callCmd")->takesInstance);
  EXPECT_FALSE(table.find("MISC").has_value());
}

TEST(ScriptFileTest, ReadsCommandsAndEveryKindOfArgument) {
  const std::string script =
      "# a comment\n"
      "\n"
      "handler echoBack\n"
      "handler fixed \"answer\"\n"
      "new\r\n"
      "load \"..\\games\\\"1\\\".dll\"\n"
      "callBack #fixed, -12, void me 7\n"
      "call 9 \"x\"\n"
      "destroy\n"
      "world \"dZORV_Demo\"\n"
      "stat \"Games Played\"\n";
  std::vector<ScriptCommand> commands;
  ScriptError error;
  ASSERT_TRUE(parseScript(script, parseMessageTable(kTable), &commands, &error)) << error.message;
  ASSERT_EQ(commands.size(), 9u);
  EXPECT_EQ(commands[0].kind, ScriptCommand::Kind::Handler);
  EXPECT_TRUE(commands[0].args.empty());
  EXPECT_EQ(commands[1].args[0].text, "answer");
  EXPECT_EQ(commands[2].kind, ScriptCommand::Kind::New);
  EXPECT_EQ(commands[3].line, 6);
  EXPECT_EQ(commands[3].args[0].text, "..\\games\"1\".dll");
  const auto& args = commands[4].args;
  ASSERT_EQ(args.size(), 5u);
  EXPECT_EQ(args[0].kind, ScriptArg::Kind::Symbol);
  EXPECT_EQ(args[1].integer, -12);
  EXPECT_EQ(args[2].kind, ScriptArg::Kind::Void);
  EXPECT_EQ(args[3].kind, ScriptArg::Kind::Me);
  EXPECT_EQ(args[4].integer, 7);
  EXPECT_EQ(commands[4].method.number, 3);
  EXPECT_EQ(commands[5].method.number, 9);
  EXPECT_EQ(commands[6].kind, ScriptCommand::Kind::Destroy);
  EXPECT_EQ(commands[7].kind, ScriptCommand::Kind::World);
  EXPECT_EQ(commands[7].args[0].text, "dZORV_Demo");
  EXPECT_EQ(commands[8].kind, ScriptCommand::Kind::Stat);
  EXPECT_EQ(commands[8].args[0].text, "Games Played");
}

TEST(ScriptFileTest, AMalformedLineIsReportedWithItsNumber) {
  const MessageTable table = parseMessageTable(kTable);
  const struct {
    const char* line;
    const char* problem;
  } cases[] = {
      {"load \"open", "unterminated string"},
      {"lod \"x\"", "unknown command or method 'lod'"},
      {"load 12ab", "unexpected 'a' after an argument"},
      {"load 99999999999", "bad integer '99999999999'"},
      {"load # x", "a symbol needs a name after '#'"},
      {"load word", "unknown argument 'word' (quote text: \"word\")"},
      {"new 1", "new takes no arguments"},
      {"call #x", "call needs a method number"},
      {"handler", "handler needs a name"},
      {"world", "world takes one quoted name"},
      {"world dZORV_A", "unknown argument 'dZORV_A' (quote text: \"dZORV_A\")"},
      {"stat \"a\" \"b\"", "stat takes one quoted name"},
      {"stat 3", "stat takes one quoted name"},
  };
  for (const auto& c : cases) {
    std::vector<ScriptCommand> commands;
    ScriptError error;
    EXPECT_FALSE(
        parseScript(std::string("new\n\n") + c.line + "\nstop\n", table, &commands, &error))
        << c.line;
    EXPECT_EQ(error.line, 3) << c.line;
    EXPECT_EQ(error.message, c.problem) << c.line;
  }
}

}  // namespace
}  // namespace xtrahost
