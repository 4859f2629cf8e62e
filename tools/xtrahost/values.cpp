#include "values.h"

#include <cstdio>

#include "host/identifiers.h"
#include "host_codes.h"
#include "text_copy.h"

namespace xtrahost {

HostSymbol SymbolTable::intern(const std::string& name) {
  auto it = symbols_.find(name);
  if (it != symbols_.end()) return it->second;
  names_.push_back(name);
  const auto symbol = static_cast<HostSymbol>(names_.size());
  symbols_[name] = symbol;
  return symbol;
}

std::optional<std::string> SymbolTable::name(HostSymbol symbol) const {
  if (symbol == 0 || symbol > names_.size()) return std::nullopt;
  return names_[symbol - 1];
}

std::optional<HostSymbol> SymbolTable::find(const std::string& name) const {
  auto it = symbols_.find(name);
  if (it == symbols_.end()) return std::nullopt;
  return it->second;
}

Values::Values(CallLog& log, SymbolTable& symbols)
    : Counted(log, "Values", xtra::ids::kHostValues), symbols_(symbols) {}

HostValue Values::makeInteger(std::int32_t integer) {
  return HostValue{
      {static_cast<std::uint32_t>(ValueKind::Integer), static_cast<std::uint32_t>(integer)}};
}

HostValue Values::makeString(const std::string& text) {
  strings_.push_back(text);
  return HostValue{{static_cast<std::uint32_t>(ValueKind::String),
                    static_cast<std::uint32_t>(strings_.size() - 1)}};
}

HostValue Values::makeSymbol(const std::string& name) {
  return HostValue{{static_cast<std::uint32_t>(ValueKind::Symbol), symbols_.intern(name)}};
}

HostValue Values::makeObject(std::uint32_t number) {
  return HostValue{{static_cast<std::uint32_t>(ValueKind::Object), number}};
}

std::optional<ValueKind> Values::kindOf(const HostValue& value) {
  if (value.word[0] > static_cast<std::uint32_t>(ValueKind::Object)) return std::nullopt;
  return static_cast<ValueKind>(value.word[0]);
}

std::optional<std::int32_t> Values::integerOf(const HostValue& value) {
  if (kindOf(value) != ValueKind::Integer) return std::nullopt;
  return static_cast<std::int32_t>(value.word[1]);
}

std::optional<std::string> Values::stringOf(const HostValue& value) const {
  if (kindOf(value) != ValueKind::String || value.word[1] >= strings_.size()) return std::nullopt;
  return strings_[value.word[1]];
}

std::optional<std::string> Values::symbolOf(const HostValue& value) const {
  if (kindOf(value) != ValueKind::Symbol) return std::nullopt;
  return symbols_.name(value.word[1]);
}

std::optional<std::string> Values::textOf(const HostValue& value) const {
  const auto kind = kindOf(value);
  if (!kind) return std::nullopt;
  switch (*kind) {
    case ValueKind::Void:
      return std::string();
    case ValueKind::Integer:
      return std::to_string(*integerOf(value));
    case ValueKind::String:
      return stringOf(value);
    case ValueKind::Symbol:
      return symbolOf(value);
    case ValueKind::Object:
      return "<object " + std::to_string(value.word[1]) + ">";
  }
  return std::nullopt;
}

std::string Values::describe(const HostValue& value) const {
  const auto kind = kindOf(value);
  if (kind == ValueKind::Void) return "<void>";
  if (kind == ValueKind::String && stringOf(value)) return quoted(*stringOf(value));
  if (kind == ValueKind::Symbol && symbolOf(value)) return "#" + *symbolOf(value);
  if (kind == ValueKind::Integer || kind == ValueKind::Object) return *textOf(value);
  char text[40];
  std::snprintf(text, sizeof text, "<invalid %08lX:%08lX>",
                static_cast<unsigned long>(value.word[0]),
                static_cast<unsigned long>(value.word[1]));
  return text;
}

XtraResult Values::record(ValueCall call, const std::string& logLine) {
  log().add(logLine);
  const XtraResult result = call.result;
  calls_.push_back(std::move(call));
  return result;
}

XtraResult XTRA_CALL Values::ValueToSymbol(const HostValue* value, HostSymbol* out) {
  ValueCall call{ValueOp::ValueToSymbol, value ? *value : makeVoid(), 0, {}, 0, xtra::kOk};
  const std::string line = "Values.ValueToSymbol(" + (value ? describe(*value) : "null") + ")";
  if (injected(ValueOp::ValueToSymbol, &call.result)) return record(call, line);
  call.result = sweptCall(log(), line, [&] {
    if (value == nullptr || out == nullptr) return kNullArgument;
    if (!symbolOf(*value)) return kNotASymbol;
    *out = value->word[1];
    return xtra::kOk;
  });
  return record(call, line);
}

XtraResult XTRA_CALL Values::ValueToString(const HostValue* value, char* buffer,
                                           std::int32_t size) {
  ValueCall call{ValueOp::ValueToString, value ? *value : makeVoid(), 0, {}, size, xtra::kOk};
  const std::string line = "Values.ValueToString(" + (value ? describe(*value) : "null") + ", " +
                           std::to_string(size) + ")";
  if (injected(ValueOp::ValueToString, &call.result)) return record(call, line);
  call.result = sweptCall(log(), line, [&] {
    const auto text = value ? textOf(*value) : std::nullopt;
    if (value == nullptr || buffer == nullptr) return kNullArgument;
    if (!text) return kBadValue;
    copyText(*text, buffer, size);
    call.text = size > 0 ? std::string(buffer) : std::string();
    return xtra::kOk;
  });
  return record(call, line);
}

XtraResult XTRA_CALL Values::IntegerToValue(std::int32_t integer, HostValue* out) {
  ValueCall call{ValueOp::IntegerToValue, makeInteger(integer), integer, {}, 0, xtra::kOk};
  const std::string line = "Values.IntegerToValue(" + std::to_string(integer) + ")";
  if (injected(ValueOp::IntegerToValue, &call.result)) return record(call, line);
  call.result = sweptCall(log(), line, [&] {
    if (out == nullptr) return kNullArgument;
    *out = call.value;
    return xtra::kOk;
  });
  return record(call, line);
}

XtraResult XTRA_CALL Values::StringToValue(const char* text, HostValue* out) {
  ValueCall call{ValueOp::StringToValue, makeVoid(), 0, text ? text : "", 0, xtra::kOk};
  const std::string line = "Values.StringToValue(" + (text ? quoted(text) : "null") + ")";
  if (injected(ValueOp::StringToValue, &call.result)) return record(call, line);
  call.result = sweptCall(log(), line, [&] {
    if (text == nullptr || out == nullptr) return kNullArgument;
    call.value = makeString(text);
    *out = call.value;
    return xtra::kOk;
  });
  return record(call, line);
}

}  // namespace xtrahost
