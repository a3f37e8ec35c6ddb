// Property reads (single, prefetched, batch-loaded) and writes of a proxy, and turning
// answer elements into values.
#include <kestoobject/ObjInstance.h>

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ListReaders.h>
#include <kestoobject/ModuleState.h>
#include <kestoobject/ServerLink.h>
#include <kestoobject/ServerStream.h>

#include <text/CodePage.h>
#include <text/Numbers.h>

#include <cstdint>
#include <vector>

namespace kesto::object {

namespace {

std::string nameOf(const PropertyInfo& property) { return text::utf16ToUtf8(property.Name); }

bool isRawConversion(int conversion) { return conversion == kConvBinary || conversion == kConvList; }

}  // namespace

bool ObjInstance::readAnswer(const std::uint8_t* p, const std::uint8_t* end, int conversion,
                             ServerText& out) {
  // Cleared, not replaced: a reused text keeps its storage.
  out.Raw = false;
  out.Text.clear();
  out.Bytes.clear();
  if (!isRawConversion(conversion)) {
    ListReadWide(p, end, out.Text);
    return true;
  }
  const std::size_t size = ListElementSize(p, end);
  if (size == 0) RaiseClientError(std::string(text(TextId::WrongListFormat)));
  std::vector<std::uint8_t> data(size + kListNumberTextMax);
  std::size_t length = 0;
  int type = 0;
  if (!ListDecodeItem(p, end, data.data(), data.size(), length, type))
    RaiseClientError(std::string(text(TextId::WrongListFormat)));
  out.Raw = true;
  out.Bytes.assign(reinterpret_cast<const char*>(data.data()), length);
  return true;
}

bool ObjInstance::toValue(const ServerText& answer, VARTYPE type, int conversion,
                          automation::Variant& out) {
  if (type != VT_DISPATCH || conversion == kConvList)
    return ServerTextToValue(answer, type, conversion, out);
  if (conversion != kConvObject) return StreamValue(*owner_, answer, conversion, out);
  const long ref = text::wtoi(answer.Text);
  if (ref == 0) {
    out = automation::Variant(static_cast<IDispatch*>(nullptr));
    return true;
  }
  // The proxy that already stands for the reference, or a new one.
  IDispatch* made = owner_->ProxyForRef(ref);
  if (!made) return false;
  VARIANT v;
  v.vt = VT_DISPATCH;
  v.pdispVal = made;
  out = automation::Variant::attach(v);
  return true;
}

bool ObjInstance::GetProperty(DISPID id, DISPPARAMS& params, VARIANT* result) {
  if (id == 0) {
    VariantClear(result);
    if (ref_ >= INT16_MIN && ref_ <= INT16_MAX) {
      result->vt = VT_I2;
      result->iVal = static_cast<SHORT>(ref_);
    } else {
      result->vt = VT_I4;
      result->lVal = static_cast<LONG>(ref_);
    }
    return true;
  }
  const PropertyInfo* property = description_->Property(id);
  if (!property) return CallMethod(id, params, result);
  if (!InCurrentSession()) return fail("Get Property", true);
  if (isClassProxy_) return fail("Get Property on Static Object", false);
  if (property->Prefetch) return readPrefetched(*property, result);
  return readSingle(*property, result);
}

bool ObjInstance::readSingle(const PropertyInfo& property, VARIANT* result) {
  // A read takes no allocation of its own: the request is built in the link's encode
  // buffer, the answer is read in place and its text lands in the link's wide buffer.
  // Only the value handed to the caller is new.
  const auto failed = [&] { return fail("Get Property: " + nameOf(property), true); };
  if (owner_->FlushPendingSets() < 0) return failed();
  ServerLink& link = owner_->Channel();
  const auto payload = link.GetPropertyValue(ref_, property.Name);
  if (!payload) return failed();
  struct Borrowed {
    ServerLink& link;
    ServerText text;
    explicit Borrowed(ServerLink& l) : link(l) { text.Text.swap(link.WideBuffer()); }
    ~Borrowed() { text.Text.swap(link.WideBuffer()); }
  } answer(link);
  readAnswer(payload->data(), payload->data() + payload->size(), property.Conversion, answer.text);
  automation::Variant value;
  if (!toValue(answer.text, property.Type, property.Conversion, value)) return failed();
  VariantClear(result);
  *result = value.detach();
  return true;
}

bool ObjInstance::readPrefetched(const PropertyInfo& property, VARIANT* result) {
  if (!prefetchLoaded_ && !loadPrefetched()) return false;
  const auto it = prefetched_.find(property.DispId);
  if (it == prefetched_.end()) {
    moduleState().LastErrorText = "Invalid dispid";
    return fail("Get Property: " + nameOf(property), true);
  }
  PrefetchedValue& record = it->second;
  const VARIANT& held = record.Value.raw();
  const bool notRead = held.vt == VT_I2 && held.iVal == -1;
  if (!property.Batched && notRead) {
    automation::Variant fresh;
    if (!readSingle(property, fresh.put())) return false;
    record.Value = std::move(fresh);
  }
  VariantClear(result);
  return SUCCEEDED(VariantCopy(result, record.Value.get()));
}

bool ObjInstance::loadPrefetched() {
  if (owner_->PendingCount() > 0 && owner_->FlushPendingSets() < 0)
    return fail("Get Property", true);
  std::vector<PrefetchedValue*> waiting;
  for (auto& [id, record] : prefetched_) {
    if (record.Property->Batched) {
      waiting.push_back(&record);
    } else {
      record.Value = automation::Variant(std::int16_t{-1});
      record.Loaded = true;
      record.Text.reset();
    }
  }
  ServerLink& link = owner_->Channel();
  std::vector<std::uint8_t> answers;
  while (!waiting.empty()) {
    const std::string message = "Get Property: " + nameOf(*waiting.front()->Property);
    ListBuilder block;
    for (const PrefetchedValue* record : waiting) {
      ListBuilder get;
      get.narrow("G").number(ref_).wide(record->Property->Name);
      block.list(get);
    }
    if (link.SendPropertySets(block.bytes(), answers) < 0) return fail(message, true);
    const std::uint8_t* p = answers.data();
    const std::uint8_t* const end = p + answers.size();
    std::size_t answered = 0;
    for (; answered < waiting.size(); ++answered) {
      PrefetchedValue& record = *waiting[answered];
      const std::string recordMessage = "Get Property: " + nameOf(*record.Property);
      const auto element = ListPeekItem(p, end);
      if (!element || element->undefined) RaiseClientError(std::string(text(TextId::WrongListFormat)));
      p = element->next;
      const std::uint8_t* q = element->data;
      const std::uint8_t* const qEnd = q + element->length;
      std::string letter;
      q = ListReadNarrow(q, qEnd, letter);
      if (letter == "R") break;  // the server stopped here; the rest goes again
      if (letter != "G") {
        moduleState().LastErrorText = std::string(ServerLink::kUnknownResponse);
        return fail(recordMessage, true);
      }
      int status = 0;
      q = ListReadInteger(q, qEnd, status);
      if (status < 1) {
        std::u16string reason;
        if (q < qEnd) ListReadWide(q, qEnd, reason);
        moduleState().LastErrorText = text::utf16ToUtf8(reason);
        return fail(recordMessage, true);
      }
      ServerText answer;
      readAnswer(q, qEnd, record.Property->Conversion, answer);
      const bool same = record.Loaded && record.Text && record.Text->Raw == answer.Raw &&
                        record.Text->Text == answer.Text && record.Text->Bytes == answer.Bytes;
      if (same) continue;
      automation::Variant value;
      if (!toValue(answer, record.Property->Type, record.Property->Conversion, value))
        return fail(recordMessage, true);
      record.Text = std::move(answer);
      record.Loaded = true;
      record.Value = std::move(value);
    }
    if (answered == 0) {
      // An "R" before any answer would repeat for ever.
      moduleState().LastErrorText = std::string(ServerLink::kUnknownResponse);
      return fail(message, true);
    }
    waiting.erase(waiting.begin(), waiting.begin() + static_cast<std::ptrdiff_t>(answered));
  }
  prefetchLoaded_ = true;
  return true;
}

bool ObjInstance::PutProperty(DISPID id, const VARIANT& given) {
  if (id == 0) return fail("SetProperty DispID = 0", false);
  if (isClassProxy_) return fail("SetProperty on Static", false);
  const PropertyInfo* property = description_->Property(id);
  if (!property) return fail("SetProperty: Property does not exists", false);
  const std::string message = "Set Property: " + nameOf(*property);
  prefetchLoaded_ = false;
  if (!InCurrentSession()) return fail(message, true);

  if (RefuseForeignValue(given)) return fail(message, true);
  automation::Variant value(given);
  if (property->Type == VT_DATE && !ValueAsDate(given, value)) return fail(message, true);
  ServerText serverText;
  if (!ValueToServerText(value.raw(), property->Conversion, serverText, ReferenceText))
    return fail(message, true);
  std::string utf16;
  if (!serverText.Raw) {
    utf16.reserve(serverText.Text.size() * 2);
    for (char16_t ch : serverText.Text) {
      utf16 += static_cast<char>(ch & 0xFF);
      utf16 += static_cast<char>(ch >> 8);
    }
  }
  const std::string& bytes = serverText.Raw ? serverText.Bytes : utf16;
  const int sent = owner_->QueuePropertySet(
      ref_, property->Name, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()},
      serverText.Raw, property->DeferredWrite);
  if (sent < 0) return fail(message, true);
  return true;
}

}  // namespace kesto::object
