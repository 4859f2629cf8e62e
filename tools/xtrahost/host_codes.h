// Result codes that this host gives of its own accord (the module passes them back unchanged,
// so they are chosen to be told apart from the module's codes).
#pragma once

#include <string>

#include "host/host_interfaces.h"

namespace xtrahost {

constexpr XtraResult kBadValue = static_cast<XtraResult>(0x80041001u);  // not a value of ours
constexpr XtraResult kNotASymbol = static_cast<XtraResult>(0x80041002u);
constexpr XtraResult kUnknownHandler = static_cast<XtraResult>(0x80041003u);
constexpr XtraResult kBadArgumentCount = static_cast<XtraResult>(0x80041004u);
constexpr XtraResult kNullArgument = static_cast<XtraResult>(0x80041005u);
constexpr XtraResult kHandlerFailed = static_cast<XtraResult>(0x80041006u);  // a "fails" handler
constexpr XtraResult kSweptFailure =
    static_cast<XtraResult>(0x80041007u);  // CallLog::failCallNumber

// "0x80041003" style text of a code.
std::string codeText(XtraResult code);

}  // namespace xtrahost
