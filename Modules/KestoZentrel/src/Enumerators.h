// The enumerators the language object hands out: over the colour-attribute table and over
// the labels of a routine.
#pragma once

#include <kestocom/LanguageService.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace kesto::zentrel {

// The labels found in one routine; the enumerators over it share it. The texts are
// copies, so the items stay valid after the source has gone.
class RoutineLabelList {
 public:
  void add(std::u16string_view text, std::int32_t lineIndex);
  const std::vector<RoutineLabelItem>& items() const { return items_; }

 private:
  std::deque<std::u16string> texts_;
  std::vector<RoutineLabelItem> items_;
};

// New enumerators with one reference held by the caller; null when out of memory.
IEnumColourAttributes* newColourAttributeEnumerator();
IEnumRoutineLabels* newRoutineLabelEnumerator(std::shared_ptr<const RoutineLabelList> labels);

}  // namespace kesto::zentrel
