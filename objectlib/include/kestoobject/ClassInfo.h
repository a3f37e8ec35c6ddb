// The description of one server class: its properties and methods by dispatch identifier,
// fetched with request 1 (in one or more pieces) and kept per Factory until Disconnect.
#pragma once

#include <automation/VariantData.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::object {

// Conversion codes: which text form a value takes on the server. Not VARIANT types.
enum Conversion : int {
  kConvNone = 0,
  kConvInteger = 3,
  kConvDouble = 5,
  kConvCurrency = 6,
  kConvDate = 7,
  kConvText = 8,
  kConvObject = 9,
  kConvBoolean = 11,
  kConvTimeOrStatus = 13,  // a date: time of day; a string (method return): status
  kConvNumber = 14,
  kConvList = 29,
  kConvBinary = 65,      // a string: its bytes; an object: binary stream
  kConvCharStream = 66,
};

// What a server type code becomes.
struct ServerType {
  VARTYPE type = VT_BSTR;
  int conversion = kConvText;
};
ServerType MapServerType(int code);

inline constexpr DISPID kNoDispId = -1;

struct PropertyInfo {
  std::u16string Name;
  DISPID DispId = 0;
  VARTYPE Type = VT_BSTR;
  int Conversion = kConvText;
  bool Prefetch = false;
  bool Batched = false;
  bool DeferredWrite = false;
};

struct ArgumentInfo {
  int Position = 2;  // 2 for the first argument, then 3, 4, ...
  VARTYPE Type = VT_BSTR;
  int Conversion = kConvText;
  bool ByRef = false;
};

struct MethodInfo {
  bool DeferredCall = false;
  std::u16string ServerName;   // sent in requests
  std::u16string ExposedName;  // used for name lookup ("%Save" -> "SYS_Save")
  DISPID DispId = 0;
  VARTYPE ReturnType = VT_EMPTY;
  int ReturnConversion = kConvNone;
  std::vector<ArgumentInfo> Arguments;

  bool returnsStatus() const { return ReturnType == VT_BSTR && ReturnConversion == kConvTimeOrStatus; }
  bool hasReturn() const { return ReturnType != VT_EMPTY; }
};

// "%Save" -> "SYS_Save"; every other "%" becomes "_".
std::u16string ExposedMethodName(std::u16string_view serverName);

class ClassInfo {
 public:
  // One request 1: the payload of the reply, or nothing when the request failed (the
  // last-error text then says why).
  using DescribeRequest =
      std::function<std::optional<std::span<const std::uint8_t>>(std::u16string_view className,
                                                                  std::string_view key)>;

  // Fetches and parses the description; Valid() tells the result. On failure the
  // last-error text starts with "Failure in GetClassInfo for " + the class name.
  ClassInfo(std::u16string className, const DescribeRequest& describe);
  // An empty description (for tests and for building by hand).
  explicit ClassInfo(std::u16string className) : className_(std::move(className)) {}

  const std::u16string& ClassName() const { return className_; }
  bool Valid() const { return valid_; }

  // Properties first (names without regard to case), then methods by exposed name;
  // kNoDispId when neither matches.
  DISPID Lookup(std::u16string_view name) const;
  const PropertyInfo* Property(DISPID id) const;
  const MethodInfo* Method(DISPID id) const;
  const std::map<DISPID, PropertyInfo>& Properties() const { return properties_; }
  const std::map<DISPID, MethodInfo>& Methods() const { return methods_; }

  // Adds the items of one reply piece and returns its continuation key. Throws the list
  // readers' dispatch exceptions when the piece is malformed.
  std::string ParsePiece(std::span<const std::uint8_t> payload);

  void Clear();

 private:
  void fetch(const DescribeRequest& describe);
  void parseItem(const std::uint8_t* p, const std::uint8_t* end);

  std::u16string className_;
  std::map<DISPID, PropertyInfo> properties_;
  std::map<DISPID, MethodInfo> methods_;
  bool valid_ = false;
};

}  // namespace kesto::object
