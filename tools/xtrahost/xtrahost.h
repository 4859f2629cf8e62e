// The headless host library: plays the host's side of the plug-in conversation against a
// real module file, records every call the module makes, and lets a test make any host
// operation fail. Include this header for all of it.
//
// Typical use in a test:
//
//   xtrahost::Host host;                                    // every host interface + call log
//   xtrahost::LoadedModule module(host, "ZORVgame.x32");    // LoadLibraryA + the five exports
//   module.classInfo();                                     // entries, table freed again
//   module.registerModule();                                // -> host.registry.puts()
//   xtrahost::ScriptSession session(module);                // script object, create, interface
//   auto out = session.call(1, {host.values.makeString("Game.dll")});
//   host.values.integerOf(out.result);                      // -> 1 or 0
//   session.end();                                          // release, destroy at count 0
//   host.unbalancedReferences();                            // empty when all given back
//   host.log.inOrder({"Values.ValueToString(\"Game.dll\", 16)", "Values.IntegerToValue(1)"});
//
// What each part offers:
//   Host (host.h)              the parts below, wired together; withhold(iid, code) makes the
//                              callback refuse an interface; objectFill fills new objects.
//   CallLog (call_log.h)       "Part.Operation(arguments)" lines in call order; inOrder, count,
//                              startingWith; setSink to watch live. failCallNumber(k, style)
//                              makes the k-th call that can fail, on any interface, fail
//                              (kSweptFailure; out-argument empty or filled); failedCall().
//   Allocator (allocator.h)    requests (size, granted), live blocks and bytes, frees, foreign
//                              and null frees; failNext(n), failAlways.
//   Values (values.h)          HostValue = {kind, payload}; make*/integerOf/stringOf/symbolOf/
//                              describe; calls(); fail(ValueOp, code, times).
//   AppInfo (app_info.h)       name "Director", version "8.5" by default.
//   RegistryCache (registry.h) entries() and puts() (bytes copied by type code), findPut(key).
//   ScriptEngine (script_engine.h)  setHandler(name, fn) where fn(argc, args, result) may call
//                              the module again; symbol(name); calls().
//   Callback (callback.h)      QueryInterface from the table of host interfaces;
//                              CreateHostObject gives a new counted "HostObject#n" each time.
//   Counted / RefTracker (counted.h)  counts().handedOut/addRefs/releases/outstanding() on
//                              every interface; nothing is deleted when a count reaches 0; a
//                              Release with no reference held counts in underflows and logs an
//                              "error:" line. Registry dictionaries are lent, not handed out.
//   HostObject (host_object.h) an object of a module class: header filled, create(),
//                              destroy(), release(); addRefs()/releases()/refCount();
//                              field<T>(offset) also after destroy (bytesAtDestroy()).
//   LoadedModule (loaded_module.h)  exports(), classInfo(), classForm(), newObject() (not
//                              created), createObject(), getInterface(), registerModule(),
//                              canUnloadNow(), getClassObject(); throws ModuleError on load.
//   ScriptSession (script_session.h)  one script instance; call(method, args, initialResult);
//                              instanceValue() is the "object me" argument.
//   TemporaryInstallation (temporary_installation.h)  HKLM\SOFTWARE\ZORV "MainDir" and a
//                              ZORV_Desktop\Xtras folder for the life of the object.
//   Host codes (host_codes.h)  the host's own failure codes (kUnknownHandler, kNotASymbol...),
//                              codeText(code).
#pragma once

#include "allocator.h"
#include "app_info.h"
#include "call_log.h"
#include "callback.h"
#include "counted.h"
#include "guid_text.h"
#include "host.h"
#include "host_codes.h"
#include "host_object.h"
#include "loaded_module.h"
#include "registry.h"
#include "script_engine.h"
#include "script_session.h"
#include "temporary_installation.h"
#include "values.h"
