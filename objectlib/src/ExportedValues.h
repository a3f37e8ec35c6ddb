// Values between the exported handles' plain C++ types and automation values.
#pragma once

#include <kestoobject/KestoObject.h>

#include <automation/Variant.h>

#include <cstdarg>
#include <vector>

namespace kesto::object::exported {

// Stores value through out as the wanted type (see d_Object::GetProperty). Raises 9991
// "Type mismatch" when the value does not convert.
void storeValue(automation::Variant& value, VARTYPE wanted, void* out, d_Database* db);

// The value SetProperty passes for a type and its pointer argument.
automation::Variant propertyValue(VARTYPE type, void* value);

// The arguments of InvokeMethod in call order, read by the type string.
std::vector<automation::Variant> readArguments(const BYTE* types, va_list arguments);

// The proxy's method call with the arguments in call order; raises the last error.
void callMethod(ObjInstance& proxy, d_Database* db, DISPID id, VARTYPE returnType, void* out,
                std::vector<automation::Variant>& arguments);

}  // namespace kesto::object::exported
