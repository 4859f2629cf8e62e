// The script files that xtrahost runs: one command per line.
//
//   # comment (blank lines are ignored too)
//   new                           create the script instance
//   destroy                       give it up (destroy runs when its last reference goes)
//   handler NAME [VALUE]          define script handler NAME: it prints its arguments and
//                                 returns VALUE, or its first argument when none is given
//   handler NAME joins            ... returns the texts of its arguments joined by blanks
//   handler NAME fails            ... fails with the host's code 0x80041006
//   install "FILE" ["NAME"]       copy FILE (a GameModule) into a temporary ZORV installation
//                                 as NAME; the installation lasts until the script ends
//   world "NAME"                  make a world in that installation: the movie file
//                                 Desktops\NAME\NAME.dcr and the world key
//                                 HKLM\SOFTWARE\ZORV\NAME; it becomes the current world
//   stat "NAME"                   print the current world's game statistic NAME
//   METHOD [ARG[,] ARG ...]       call a method of the message table by name; instance
//                                 methods get the instance as their first argument
//   call NUMBER [ARG[,] ARG ...]  call a method by number, with exactly the arguments given
//
// ARG is "text", an integer, #symbol, void, or me (the instance). In text, \" and \\ stand for
// " and \; any other backslash stands for itself (so "..\games\Dice.dll" is a path).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "message_table.h"

namespace xtrahost {

struct ScriptArg {
  enum class Kind { String, Integer, Symbol, Void, Me };
  Kind kind;
  std::string text;  // the string's text or the symbol's name
  std::int32_t integer = 0;
};

struct ScriptCommand {
  enum class Kind { New, Destroy, Handler, Install, World, Stat, Method };
  // What a handler does: answer with a value (or its first argument), join, or fail.
  enum class Behaviour { Answer, Join, Fail };
  Kind kind;
  Behaviour behaviour = Behaviour::Answer;
  int line;
  std::string name;  // handler or method name
  ScriptMethod method{};
  std::vector<ScriptArg> args;  // a handler's value, if any; the texts of install, world, stat
};

struct ScriptError {
  int line = 0;
  std::string message;
};

// Parses a whole script; method names are looked up in the table. On the first malformed line
// gives false and says where and why.
bool parseScript(const std::string& text, const MessageTable& table,
                 std::vector<ScriptCommand>* commands, ScriptError* error);

}  // namespace xtrahost
