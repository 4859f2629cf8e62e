// Script values and HostValues. A HostValue is word[0] = kind, word[1] = payload: the integer
// itself, an index into the host's string table, a symbol number, or an object number.
// Zeroed memory is the void value. Symbols are shared with the script engine.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "counted.h"
#include "injection.h"

namespace xtrahost {

enum class ValueKind : std::uint32_t { Void = 0, Integer = 1, String = 2, Symbol = 3, Object = 4 };

// Handler names and their symbols; symbol numbers start at 1.
class SymbolTable {
 public:
  HostSymbol intern(const std::string& name);
  std::optional<std::string> name(HostSymbol symbol) const;
  std::optional<HostSymbol> find(const std::string& name) const;

 private:
  std::vector<std::string> names_;
  std::map<std::string, HostSymbol> symbols_;
};

enum class ValueOp { ValueToSymbol, ValueToString, IntegerToValue, StringToValue };

// One recorded call of HostValues.
struct ValueCall {
  ValueOp op;
  HostValue value;       // the argument (to symbol / to string) or the value made (the other two)
  std::int32_t integer;  // IntegerToValue's argument
  std::string text;      // StringToValue's argument, or the text ValueToString gave
  std::int32_t size;     // ValueToString's buffer size
  XtraResult result;
};

class Values : public Counted<HostValues> {
 public:
  Values(CallLog& log, SymbolTable& symbols);

  // The module's operations (all recorded).
  XTRAHOST_RESERVED(3)
  XTRAHOST_RESERVED(4)
  XTRAHOST_RESERVED(5)
  XTRAHOST_RESERVED(6)
  XTRAHOST_RESERVED(7)
  XTRAHOST_RESERVED(8)
  XtraResult XTRA_CALL ValueToSymbol(const HostValue* value, HostSymbol* out) override;
  XTRAHOST_RESERVED(10)
  XTRAHOST_RESERVED(11)
  XtraResult XTRA_CALL ValueToString(const HostValue* value, char* buffer,
                                     std::int32_t size) override;
  XTRAHOST_RESERVED(13)
  XTRAHOST_RESERVED(14)
  XTRAHOST_RESERVED(15)
  XTRAHOST_RESERVED(16)
  XtraResult XTRA_CALL IntegerToValue(std::int32_t integer, HostValue* out) override;
  XTRAHOST_RESERVED(18)
  XTRAHOST_RESERVED(19)
  XtraResult XTRA_CALL StringToValue(const char* text, HostValue* out) override;

  // The host's own side (not recorded): making and reading values.
  static HostValue makeVoid() { return HostValue{{0, 0}}; }
  static HostValue makeInteger(std::int32_t integer);
  HostValue makeString(const std::string& text);
  HostValue makeSymbol(const std::string& name);
  static HostValue makeObject(std::uint32_t number);

  static std::optional<ValueKind> kindOf(const HostValue& value);
  static std::optional<std::int32_t> integerOf(const HostValue& value);
  std::optional<std::string> stringOf(const HostValue& value) const;
  std::optional<std::string> symbolOf(const HostValue& value) const;
  // Script notation: 12, "text", #name, <void>, <object 1>, <invalid ...>.
  std::string describe(const HostValue& value) const;
  // The text ValueToString gives for a value, or nothing for an invalid value.
  std::optional<std::string> textOf(const HostValue& value) const;

  void fail(ValueOp op, XtraResult code, int times = kEveryTime) {
    failures_.set(static_cast<int>(op), code, times);
  }
  void clearFailures() { failures_.clear(); }
  const std::vector<ValueCall>& calls() const { return calls_; }

 private:
  bool injected(ValueOp op, XtraResult* code) { return failures_.fire(static_cast<int>(op), code); }
  XtraResult record(ValueCall call, const std::string& logLine);

  SymbolTable& symbols_;
  std::vector<std::string> strings_;
  std::vector<ValueCall> calls_;
  InjectionMap<int> failures_;
};

}  // namespace xtrahost
