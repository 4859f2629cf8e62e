// Class and interface identifiers of the module and of the host interfaces it asks for.
#pragma once

#include "common/win_types.h"

namespace xtra::ids {

// The module's classes and interfaces.
extern const GUID kRegistrationClass;      // {0FFDB9A6-B00B-4F99-A41E-9E9365B62D91}
extern const GUID kScriptClass;            // {06A84644-E760-4559-805E-F619AD5B1D15}
extern const GUID kRegistrationInterface;  // {AC3E7803-0002-8FE5-0000-080007160DC3}
extern const GUID kScriptInterface;        // {AC401FB6-0001-F9B0-0000-0800072C6326}
extern const GUID kClassFactory;           // {00000001-0000-0000-C000-000000000046}
extern const GUID kLoadControl;            // {70D7CCF4-615F-11CF-B48D-080007160DC3}

// Host interfaces the module uses.
extern const GUID kHostAppInfo;       // {ACC7E2B8-000A-B4D0-0000-080007160DC3}
extern const GUID kHostValues;        // {151A5780-32BD-11D0-8151-00AA005F3C08}
extern const GUID kHostScriptEngine;  // {AC401B78-0000-FA7D-0000-0800072C6326}

// Host interfaces a script instance requires and holds without calling.
extern const GUID kHeldInterface1;   // {AB9D9921-7F02-2F99-487F-080007160DC3}
extern const GUID kHeldInterface5;   // {3F698780-32BE-11D0-8151-00AA005F3C08}
extern const GUID kHeldInterface6;   // {AC96CF98-0045-5C0B-0000-0040105023FB}
extern const GUID kHeldInterface7;   // {D9088161-32BF-11D0-8151-00AA005F3C08}
extern const GUID kHeldInterface11;  // {AC96CFC0-0045-6597-0000-0040105023FB}
extern const GUID kHostObjectClass;  // {D394EB1A-78EC-11D0-9037-00059A20195A}
extern const GUID kHostObjectIface;  // {A7EBAA8A-78EC-11D0-9037-00059A20195A}

}  // namespace xtra::ids
