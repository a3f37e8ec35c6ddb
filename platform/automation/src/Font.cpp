#include <automation/Font.h>

#include <automation/Dispatch.h>

namespace kesto::automation {

void FontObject::setDesc(const FontDesc& desc) {
  change([&](FontDesc& d) { d = desc; });
}

const DispatchTable<FontObject>& FontObject::dispatchTable() {
  using F = FontObject;
  using C = DispatchCall;
  const auto flag = [](bool value) { return Variant(value); };
  static const DispatchTable<FontObject> table(
      "Font",
      {
          member<F>(u"Name", kFontName, kGet, {}, VT_BSTR,
                    [](F& f, C& c) { c.result() = Variant(std::u16string_view(f.desc_.name)); }),
          member<F>(u"Name", kFontName, kPut, {in(VT_BSTR)}, VT_EMPTY,
                    [](F& f, C& c) { f.change([&](FontDesc& d) { d.name = c.arg(0).toString(); }); }),
          member<F>(u"Size", kFontSize, kGet, {}, VT_CY,
                    [](F& f, C& c) { c.result() = Variant(CY{f.desc_.size}); }),
          member<F>(u"Size", kFontSize, kPut, {in(VT_CY)}, VT_EMPTY,
                    [](F& f, C& c) { f.change([&](FontDesc& d) { d.size = c.arg(0).toCurrency().int64; }); }),
          member<F>(u"Italic", kFontItalic, kGet, {}, VT_BOOL,
                    [flag](F& f, C& c) { c.result() = flag(f.desc_.italic); }),
          member<F>(u"Italic", kFontItalic, kPut, {in(VT_BOOL)}, VT_EMPTY,
                    [](F& f, C& c) { f.change([&](FontDesc& d) { d.italic = c.arg(0).toBool(); }); }),
          member<F>(u"Underline", kFontUnderline, kGet, {}, VT_BOOL,
                    [flag](F& f, C& c) { c.result() = flag(f.desc_.underline); }),
          member<F>(u"Underline", kFontUnderline, kPut, {in(VT_BOOL)}, VT_EMPTY,
                    [](F& f, C& c) { f.change([&](FontDesc& d) { d.underline = c.arg(0).toBool(); }); }),
          member<F>(u"Strikethrough", kFontStrikethrough, kGet, {}, VT_BOOL,
                    [flag](F& f, C& c) { c.result() = flag(f.desc_.strikethrough); }),
          member<F>(u"Strikethrough", kFontStrikethrough, kPut, {in(VT_BOOL)}, VT_EMPTY,
                    [](F& f, C& c) { f.change([&](FontDesc& d) { d.strikethrough = c.arg(0).toBool(); }); }),
          member<F>(u"Weight", kFontWeight, kGet, {}, VT_I2,
                    [](F& f, C& c) { c.result() = Variant(f.desc_.weight); }),
          member<F>(u"Weight", kFontWeight, kPut, {in(VT_I2)}, VT_EMPTY,
                    [](F& f, C& c) { f.change([&](FontDesc& d) { d.weight = c.arg(0).toInt16(); }); }),
          member<F>(u"Charset", kFontCharset, kGet, {}, VT_I2,
                    [](F& f, C& c) { c.result() = Variant(f.desc_.charset); }),
          member<F>(u"Charset", kFontCharset, kPut, {in(VT_I2)}, VT_EMPTY,
                    [](F& f, C& c) { f.change([&](FontDesc& d) { d.charset = c.arg(0).toInt16(); }); }),
      });
  return table;
}

FontDesc readFont(IDispatch* font) {
  FontDesc d;
  if (!font) return d;
  const Dispatch f(font);
  const auto get = [&](DISPID id) { return f.invoke(id, DISPATCH_PROPERTYGET, {}); };
  d.name = get(kFontName).toString();
  d.size = get(kFontSize).toCurrency().int64;
  d.italic = get(kFontItalic).toBool();
  d.underline = get(kFontUnderline).toBool();
  d.strikethrough = get(kFontStrikethrough).toBool();
  d.weight = get(kFontWeight).toInt16();
  d.charset = get(kFontCharset).toInt16();
  return d;
}

}  // namespace kesto::automation
