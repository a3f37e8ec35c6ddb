// The query cursor's server calls: describe, prepare, execute, fetch and close.
#include <kestoobject/QueryCursor.h>

#include <kestoobject/ClassInfo.h>
#include <kestoobject/ErrorTexts.h>
#include <kestoobject/Factory.h>
#include <kestoobject/ListReaders.h>
#include <kestoobject/ModuleState.h>
#include <kestoobject/ObjInstance.h>
#include <kestoobject/ObjInstanceValue.h>

#include <text/CodePage.h>

namespace kesto::object {

using automation::Variant;

namespace {

[[noreturn]] void raiseWrongFormat() {
  RaiseClientError(std::string(text(TextId::WrongListFormat)));
}

ListElement requireElement(const std::uint8_t* p, const std::uint8_t* end) {
  const auto element = ListPeekItem(p, end);
  if (!element) raiseWrongFormat();
  return *element;
}

// The data of an element (nothing for the undefined one).
std::vector<std::uint8_t> dataOf(const std::vector<std::uint8_t>& element) {
  const ListElement e = requireElement(element.data(), element.data() + element.size());
  return {e.data, e.data + e.length};
}

int integerOf(const std::vector<std::uint8_t>& element) {
  int value = 0;
  ListReadInteger(element.data(), element.data() + element.size(), value);
  return value;
}

}  // namespace

QueryCursor::QueryCursor(Factory& owner, std::u16string_view className)
    : owner_(&owner), session_(owner.Session()), className_(className) {}

std::unique_ptr<QueryCursor> QueryCursor::ForClassQuery(Factory& owner, std::u16string_view className,
                                                        std::u16string_view queryName) {
  std::unique_ptr<QueryCursor> cursor(new QueryCursor(owner, className));
  const std::u16string name(queryName);
  cursor->prepare_ = name + u"Prepare";
  cursor->execute_ = name + u"Execute";
  cursor->fetch_ = name + u"FetchRows";
  cursor->getInfo_ = name + u"GetInfo";
  cursor->close_ = name + u"Close";
  ListBuilder args;
  args.narrow("").narrow("").narrow("");
  cursor->valid_ = cursor->describe(args);
  return cursor;
}

std::unique_ptr<QueryCursor> QueryCursor::ForStatement(Factory& owner, std::u16string_view className,
                                                       std::u16string_view statement) {
  std::unique_ptr<QueryCursor> cursor(new QueryCursor(owner, className));
  cursor->prepare_ = u"SQLPrepare";
  cursor->execute_ = u"SQLExecute";
  cursor->fetch_ = u"SQLFetchRows";
  cursor->getInfo_ = u"SQLGetInfo";
  cursor->close_ = u"SQLClose";

  ListBuilder args;
  args.narrow("");
  if (owner.UnicodeServer())
    args.wide(RewriteStatementMarkers(statement));
  else
    args.narrow(RewriteStatementMarkers(text::toNarrow(statement, text::CodePage::Ansi)));
  Results results;
  if (!cursor->call(cursor->prepare_, '1', args, true, &results)) return cursor;
  if (!results.empty()) cursor->handle_ = dataOf(results[0]);

  ListBuilder info;
  info.narrow("").narrow("").narrow("").narrow(cursor->Handle());
  cursor->valid_ = cursor->describe(info);
  return cursor;
}

QueryCursor::~QueryCursor() {
  try {
    Close();
  } catch (...) {
    // Nothing may leave a destructor; the last error keeps the reason.
  }
}

bool QueryCursor::describe(const ListBuilder& args) {
  Results results;
  if (!call(getInfo_, '1', args, true, &results)) return false;
  const auto fields = [](const std::vector<std::uint8_t>& element, bool withHeader) {
    std::vector<Field> out;
    const std::vector<std::uint8_t> items = dataOf(element);
    const std::uint8_t* end = items.data() + items.size();
    for (const std::uint8_t* p = items.data(); p < end;) {
      const ListElement item = requireElement(p, end);
      p = item.next;
      Field f;
      const std::uint8_t* q = item.data;
      const std::uint8_t* itemEnd = item.data + item.length;
      if (q && q < itemEnd) q = ListReadWide(q, itemEnd, f.name);
      if (q && q < itemEnd) q = ListReadInteger(q, itemEnd, f.typeCode);
      if (withHeader && q && q < itemEnd) ListReadWide(q, itemEnd, f.header);
      const ServerType mapped = MapServerType(f.typeCode);
      f.type = mapped.type;
      f.conversion = mapped.conversion;
      out.push_back(std::move(f));
    }
    return out;
  };
  if (results.size() > 0) columns_ = fields(results[0], true);
  if (results.size() > 1) params_ = fields(results[1], false);
  if (results.size() > 2) idColumn_ = static_cast<std::int16_t>(integerOf(results[2]));
  return true;
}

bool QueryCursor::call(const std::u16string& method, char marker, const ListBuilder& args,
                       bool checkStatus, Results* results) {
  if (!owner_->CheckSession(session_)) return false;
  ListBuilder body;
  body.wide(className_).wide(method).narrow(std::string_view(&marker, 1)).list(args);
  if (!body.ok()) RaiseClientError(std::string(ServerLink::kRequestTooLarge));
  ServerLink& link = owner_->Channel();
  Bytes payload;
  if (link.CallMethod(ServerLink::kClassMethod, body, payload) < 0) return false;
  if (checkStatus && link.CheckMethodStatus(payload) != 1) return false;
  if (!results) return true;
  // The payload lies in the link's buffer: copy the by-reference arguments out.
  const std::uint8_t* end = payload.data() + payload.size();
  const ListElement status = requireElement(payload.data(), end);
  const ListElement byRef = requireElement(status.next, end);
  results->clear();
  const std::uint8_t* argsEnd = byRef.data + byRef.length;
  for (const std::uint8_t* p = byRef.data; p && p < argsEnd;) {
    const ListElement arg = requireElement(p, argsEnd);
    results->emplace_back(p, arg.next);
    p = arg.next;
  }
  return true;
}

bool QueryCursor::appendParams(ListBuilder& args, std::span<const Variant> params,
                               std::size_t limit) const {
  const std::size_t count = std::min({limit, params.size(), params_.size()});
  for (std::size_t k = 0; k < count && !params[k].isMissing(); ++k) {
    ServerText value;
    if (!ValueToServerText(params[k].raw(), params_[k].conversion, value,
                           ObjInstance::ReferenceText))
      return false;
    AppendServerText(args, value, owner_->UnicodeServer());
  }
  return true;
}

void QueryCursor::raiseServerError() const {
  RaiseError(kErrorNone, moduleState().LastErrorText);
}

void QueryCursor::raiseConversionError() const {
  owner_->Log("Class " + text::utf16ToUtf8(className_) + " ResultSet.Prepare\n" +
              moduleState().LastErrorText);
  raiseServerError();
}

int QueryCursor::Execute(std::span<const Variant> params) {
  if (open_) RaiseClientError(std::string(text(TextId::QueryAlreadyOpen)));
  if (owner_->FlushPendingSets() < 0) raiseServerError();
  ListBuilder args;
  args.narrow(Handle());
  if (!appendParams(args, params, kQueryParamSlots)) raiseConversionError();
  Results results;
  if (!call(execute_, '1', args, true, &results)) raiseServerError();
  if (!results.empty()) handle_ = dataOf(results[0]);
  open_ = true;
  atEnd_ = false;
  hasRow_ = false;
  rows_.clear();
  return 1;
}

void QueryCursor::Prepare(std::span<const Variant> params) {
  ListBuilder args;
  args.narrow(Handle());
  bool ok = appendParams(args, params, kQueryPrepareParams);
  if (ok) ok = call(prepare_, '1', args, true, nullptr);
  if (!ok) raiseConversionError();
}

void QueryCursor::requireOpen() const {
  if (!open_) RaiseClientError(std::string(text(TextId::QueryNotOpen)));
}

int QueryCursor::Next() {
  requireOpen();
  if (hasRow_) {
    std::size_t at = currentRow_;
    const std::uint8_t* end = rows_.data() + rows_.size();
    if (columns_.empty()) at = rows_.size();  // a row of no columns would never move on
    for (std::size_t c = 0; c < columns_.size() && at < rows_.size(); ++c)
      at = static_cast<std::size_t>(requireElement(rows_.data() + at, end).next - rows_.data());
    if (at < rows_.size()) {
      currentRow_ = at;
      return 1;
    }
  }
  if (atEnd_) {
    hasRow_ = false;
    return 0;
  }
  ListBuilder args;
  args.narrow(Handle()).narrow("0").narrow("").narrow("").narrow("");
  Results results;
  if (!call(fetch_, '1', args, true, &results)) raiseServerError();
  if (results.size() > 0) handle_ = dataOf(results[0]);
  rows_ = results.size() > 2 ? dataOf(results[2]) : std::vector<std::uint8_t>();
  atEnd_ = results.size() > 4 && integerOf(results[4]) != 0;
  currentRow_ = 0;
  hasRow_ = !rows_.empty();
  if (!hasRow_) atEnd_ = true;
  return hasRow_ ? 1 : 0;
}

int QueryCursor::Close() {
  if (!open_) return 1;
  // The cursor is closed here whatever the server says, so that Execute can run again.
  open_ = false;
  atEnd_ = false;
  hasRow_ = false;
  ListBuilder args;
  args.narrow(Handle());
  if (!call(close_, '0', args, false, nullptr)) raiseServerError();
  return 1;
}

}  // namespace kesto::object
