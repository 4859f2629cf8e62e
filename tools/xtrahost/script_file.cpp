#include "script_file.h"

#include <cctype>
#include <climits>
#include <sstream>

namespace xtrahost {

namespace {

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

// Reads the words and arguments of one line; the first problem is kept in `problem`.
class LineReader {
 public:
  explicit LineReader(const std::string& line) : s_(line) {}

  bool atEnd() {
    skipSeparators();
    return pos_ >= s_.size();
  }
  std::string word() {
    skipSeparators();
    return name();
  }
  bool arg(ScriptArg* out) {
    skipSeparators();
    const char c = s_[pos_];
    if (c == '"') return stringArg(out);
    if (c == '#') return symbolArg(out);
    if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c))) return integerArg(out);
    const std::string w = word();
    if (w == "void" || w == "me") {
      *out = ScriptArg{w == "void" ? ScriptArg::Kind::Void : ScriptArg::Kind::Me, w, 0};
      return endOfToken();
    }
    return fail(w.empty() ? std::string("unexpected '") + c + "'"
                          : "unknown argument '" + w + "' (quote text: \"" + w + "\")");
  }

  std::string problem;

 private:
  // The name characters at the current position, none skipped before them.
  std::string name() {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && isNameChar(s_[pos_])) ++pos_;
    return s_.substr(start, pos_ - start);
  }
  void skipSeparators() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == ',')) ++pos_;
  }
  bool fail(std::string why) {
    problem = std::move(why);
    return false;
  }
  bool endOfToken() {
    if (pos_ < s_.size() && s_[pos_] != ' ' && s_[pos_] != '\t' && s_[pos_] != ',') {
      return fail(std::string("unexpected '") + s_[pos_] + "' after an argument");
    }
    return true;
  }
  bool stringArg(ScriptArg* out) {
    std::string text;
    for (++pos_; pos_ < s_.size(); ++pos_) {
      char c = s_[pos_];
      if (c == '"') {
        ++pos_;
        *out = ScriptArg{ScriptArg::Kind::String, text, 0};
        return endOfToken();
      }
      // Only \" and \\ are escapes, so that Windows paths need no doubling.
      if (c == '\\' && pos_ + 1 < s_.size() && (s_[pos_ + 1] == '"' || s_[pos_ + 1] == '\\')) {
        c = s_[++pos_];
      }
      text += c;
    }
    return fail("unterminated string");
  }
  bool symbolArg(ScriptArg* out) {
    ++pos_;
    const std::string symbol = name();
    if (symbol.empty()) return fail("a symbol needs a name after '#'");
    *out = ScriptArg{ScriptArg::Kind::Symbol, symbol, 0};
    return endOfToken();
  }
  bool integerArg(ScriptArg* out) {
    const std::size_t start = pos_;
    if (s_[pos_] == '-' || s_[pos_] == '+') ++pos_;
    while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    const std::string digits = s_.substr(start, pos_ - start);
    long long value = 0;
    std::istringstream in(digits);
    if (!(in >> value) || !in.eof() || value < INT32_MIN || value > INT32_MAX) {
      return fail("bad integer '" + digits + "'");
    }
    *out = ScriptArg{ScriptArg::Kind::Integer, digits, static_cast<std::int32_t>(value)};
    return endOfToken();
  }

  const std::string& s_;
  std::size_t pos_ = 0;
};

bool readArgs(LineReader& reader, std::vector<ScriptArg>* args) {
  while (!reader.atEnd()) {
    ScriptArg arg;
    if (!reader.arg(&arg)) return false;
    args->push_back(arg);
  }
  return true;
}

// Parses one non-empty line; false with `problem` set when it is malformed.
bool parseLine(const std::string& line, const MessageTable& table, ScriptCommand* command,
               std::string* problem) {
  LineReader reader(line);
  const auto refuse = [problem](std::string why) {
    *problem = std::move(why);
    return false;
  };
  const auto withArgs = [&]() {
    return readArgs(reader, &command->args) || refuse(reader.problem);
  };
  const std::string verb = reader.word();
  if (verb.empty()) return refuse("expected a command");
  if (verb == "new" || verb == "destroy") {
    command->kind = verb == "new" ? ScriptCommand::Kind::New : ScriptCommand::Kind::Destroy;
    return reader.atEnd() || refuse(verb + " takes no arguments");
  }
  if (verb == "handler") {
    command->kind = ScriptCommand::Kind::Handler;
    command->name = reader.word();
    if (command->name.empty()) return refuse("handler needs a name");
    LineReader probe = reader;
    const std::string behaviour = probe.word();
    if ((behaviour == "joins" || behaviour == "fails") && probe.atEnd()) {
      command->behaviour =
          behaviour == "joins" ? ScriptCommand::Behaviour::Join : ScriptCommand::Behaviour::Fail;
      return true;
    }
    if (!withArgs()) return false;
    return command->args.size() <= 1 || refuse("handler takes at most one value");
  }
  if (verb == "install") {
    command->kind = ScriptCommand::Kind::Install;
    if (!withArgs()) return false;
    for (const ScriptArg& arg : command->args) {
      if (arg.kind != ScriptArg::Kind::String) return refuse("install takes quoted texts");
    }
    return (!command->args.empty() && command->args.size() <= 2) ||
           refuse("install needs a file and at most a name");
  }
  if (verb == "world" || verb == "stat") {
    command->kind = verb == "world" ? ScriptCommand::Kind::World : ScriptCommand::Kind::Stat;
    if (!withArgs()) return false;
    return (command->args.size() == 1 && command->args[0].kind == ScriptArg::Kind::String) ||
           refuse(verb + " takes one quoted name");
  }
  command->kind = ScriptCommand::Kind::Method;
  if (verb == "call") {
    ScriptArg number{};
    if (reader.atEnd() || !reader.arg(&number) || number.kind != ScriptArg::Kind::Integer) {
      return refuse("call needs a method number");
    }
    command->method = ScriptMethod{"call " + number.text, number.integer, false};
    command->name = command->method.name;
    return withArgs();
  }
  const auto method = table.find(verb);
  if (!method || verb == "new") return refuse("unknown command or method '" + verb + "'");
  command->name = verb;
  command->method = *method;
  return withArgs();
}

}  // namespace

bool parseScript(const std::string& text, const MessageTable& table,
                 std::vector<ScriptCommand>* commands, ScriptError* error) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    ScriptCommand command{};
    command.line = number;
    std::string problem;
    if (!parseLine(line, table, &command, &problem)) {
      *error = ScriptError{number, problem};
      return false;
    }
    commands->push_back(std::move(command));
  }
  return true;
}

}  // namespace xtrahost
