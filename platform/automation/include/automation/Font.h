// The standard font object: name, size (currency, points x 10 000), italic, underline,
// strikethrough, weight and character set, by their standard dispatch identifiers. The
// owner hears every change.
#pragma once

#include <automation/DispatchTable.h>

#include <cstdint>
#include <functional>
#include <string>

namespace kesto::automation {

struct FontDesc {
  std::u16string name = u"MS Sans Serif";
  std::int64_t size = 82500;  // currency units: 8.25 points
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  std::int16_t weight = 400;
  std::int16_t charset = 0;

  double points() const { return static_cast<double>(size) / 10000.0; }
  friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

// Standard dispatch identifiers of the font object.
inline constexpr DISPID kFontName = 0;
inline constexpr DISPID kFontSize = 2;
inline constexpr DISPID kFontItalic = 4;
inline constexpr DISPID kFontUnderline = 5;
inline constexpr DISPID kFontStrikethrough = 6;
inline constexpr DISPID kFontWeight = 7;
inline constexpr DISPID kFontCharset = 8;

class FontObject final : public DispatchObject<FontObject> {
 public:
  using Listener = std::function<void(const FontDesc&)>;
  explicit FontObject(FontDesc desc = {}) : desc_(std::move(desc)) {}

  const FontDesc& desc() const { return desc_; }
  void setDesc(const FontDesc& desc);
  void onChange(Listener listener) { listener_ = std::move(listener); }

  static const DispatchTable<FontObject>& dispatchTable();

 private:
  template <class F>
  void change(F&& edit) {
    edit(desc_);
    if (listener_) listener_(desc_);
  }

  FontDesc desc_;
  Listener listener_;
};

// Reads a font object's members through its dispatch interface (any implementation).
FontDesc readFont(IDispatch* font);

}  // namespace kesto::automation
