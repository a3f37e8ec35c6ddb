// The automation object that stands for one server object (an object proxy) or for a
// server class (a class proxy, class methods only). Its dispatch interface declares no
// members: names are resolved at run time from the class description, and every access
// becomes a server request or a record of the Factory's pending queue.
#pragma once

#include <kestoobject/ClassInfo.h>
#include <kestoobject/Factory.h>
#include <kestoobject/ObjInstanceValue.h>

#include <automation/ComObject.h>
#include <automation/Variant.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace kesto::object {

struct IObjInstance : IDispatch {
  static constexpr IID iid = kIidObjInstance;
};

inline constexpr std::u16string_view kRefPropertyName = u"o_ref";  // dispatch identifier 0

class ObjInstance final : public automation::ComObject<ObjInstance, IObjInstance>,
                          public ServerProxy,
                          public NativeObject {
 public:
  // The library's own proxy behind object, or null. Borrowed, like nativeObject().
  static ObjInstance* native(IUnknown* object);
  // The server text of an object value: "%d" of our proxy's reference; the empty text for
  // no object or a foreign one.
  static bool ReferenceText(IDispatch* object, int conversion, ServerText& out);
  // True, with the last error set, when the value is a proxy or stream of another Factory.
  bool RefuseForeignValue(const VARIANT& value) const;
  static constexpr std::string_view kForeignObject = "Object belongs to another Factory";

  // IDispatch
  HRESULT GetTypeInfoCount(UINT* count) override;
  HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                        DISPID* ids) override;
  HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                 VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override;

  // The operations behind Invoke, for callers that hold dispatch identifiers. Each
  // returns false with the last error set (and the log written); the list readers'
  // dispatch exceptions pass through.
  bool GetProperty(DISPID id, DISPPARAMS& params, VARIANT* result);
  bool PutProperty(DISPID id, const VARIANT& value);
  bool CallMethod(DISPID id, DISPPARAMS& params, VARIANT* result);

  const ClassInfo& Description() const { return *description_; }
  Factory& Owner() const { return *owner_; }
  bool IsClassProxy() const { return isClassProxy_; }
  // False (last error set) when this proxy belongs to a connection that was lost.
  bool InCurrentSession() const { return owner_->CheckSession(session_); }
  bool PrefetchLoaded() const { return prefetchLoaded_; }

  // The result set built over this class proxy; not owned (the result set holds a
  // reference to the proxy and clears this when it goes).
  IDispatch* BoundResultSet() const { return boundResultSet_; }
  void SetBoundResultSet(IDispatch* resultSet) { boundResultSet_ = resultSet; }

  // ServerProxy
  IDispatch* dispatch() override { return this; }
  const std::u16string& className() const override { return className_; }
  bool isValid() const override { return valid_; }
  void setReference(long ref) override { ref_ = ref; }
  long reference() const override { return ref_; }
  void clearPrefetch() override { prefetchLoaded_ = false; }

  // NativeObject
  Kind nativeKind() const override { return Kind::Proxy; }

 protected:
  void* queryExtra(REFIID riid) override;

 private:
  friend class automation::ComObject<ObjInstance, IObjInstance>;
  friend ServerProxy* CreateServerProxy(Factory&, std::u16string_view, bool);

  struct PrefetchedValue {
    const PropertyInfo* Property = nullptr;
    automation::Variant Value;
    std::optional<ServerText> Text;
    bool Loaded = false;
  };

  ObjInstance(Factory& owner, std::u16string_view className, bool classProxy);
  ~ObjInstance() override;
  void releaseOnServer() noexcept;

  // Failure: logs "Class <name> <message>" (with the last error when withLastError).
  // The message becomes the last error unless the last error tells the reason.
  bool fail(const std::string& message, bool withLastError);
  bool readSingle(const PropertyInfo& property, VARIANT* result);
  bool readPrefetched(const PropertyInfo& property, VARIANT* result);
  bool loadPrefetched();
  bool readAnswer(const std::uint8_t* p, const std::uint8_t* end, int conversion,
                  ServerText& text);
  bool toValue(const ServerText& text, VARTYPE type, int conversion,
               automation::Variant& out);
  bool queueDeferredCall(const MethodInfo& method, const ListBuilder& arguments);
  void writeBack(const MethodInfo& method, DISPPARAMS& params, const std::uint8_t* p,
                 const std::uint8_t* end);

  automation::ComPtr<Factory> owner_;
  std::u16string className_;
  std::shared_ptr<ClassInfo> description_;
  long ref_ = -1;
  std::uint32_t session_ = 0;
  bool prefetchLoaded_ = false;
  bool isClassProxy_ = false;
  bool valid_ = false;
  IDispatch* boundResultSet_ = nullptr;
  std::map<DISPID, PrefetchedValue> prefetched_;
};

}  // namespace kesto::object
