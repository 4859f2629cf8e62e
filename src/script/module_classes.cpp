// The module's class table: the registration class, then the script class.
#include "host/class_table.h"
#include "host/identifiers.h"
#include "script/registration.h"
#include "script/script_interface.h"

namespace xtra {

namespace {

const ClassDescription kClasses[] = {
    {&ids::kRegistrationClass, kTableVersion, sizeof(HostObjectHeader), createRegistrationObject,
     destroyRegistrationObject, &ids::kRegistrationInterface, kTableVersion,
     RegistrationInterface::build},
    {&ids::kScriptClass, kTableVersion, sizeof(ScriptInstance), createScriptInstance,
     destroyScriptInstance, &ids::kScriptInterface, kTableVersion, ScriptInterface::build},
};

const ClassTable kTable = {kClasses, sizeof kClasses / sizeof kClasses[0]};

}  // namespace

const ClassTable& moduleClassTable() { return kTable; }

int EnumerateClassTable(const GUID* filter, ClassVisitor classVisitor,
                        InterfaceVisitor interfaceVisitor, void* context) {
  return walkClassTable(kTable, filter, classVisitor, interfaceVisitor, context);
}

}  // namespace xtra
