// BSTR: a length-prefixed UTF-16 string. The 4-byte prefix holds the exact byte length, so
// a BSTR also carries byte strings of odd length (object identifiers, list values). A null
// BSTR means the empty string everywhere.
#pragma once

#include <automation/Types.h>

BSTR SysAllocString(LPCOLESTR text);                  // null text -> null
BSTR SysAllocStringLen(LPCOLESTR text, UINT length);  // length in characters; null text -> zeroed
BSTR SysAllocStringByteLen(const char* bytes, UINT byteLength);  // null bytes -> zeroed
int SysReAllocString(BSTR* target, LPCOLESTR text);  // TRUE on success
int SysReAllocStringLen(BSTR* target, LPCOLESTR text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);      // characters = byte length / 2
UINT SysStringByteLen(BSTR text);  // exact byte length

namespace kesto::automation {

// Number of BSTRs allocated and not yet freed by this module (for leak tests).
long liveBstrCount();

}  // namespace kesto::automation
