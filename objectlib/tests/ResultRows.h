// Walking a result set through the exported handle.
#pragma once

#include <kestoobject/KestoObject.h>

#include <string>
#include <vector>

// Column `column` of every remaining row, as UTF-8.
inline std::vector<std::string> columnValues(d_ResultSet& rs, short column) {
  std::vector<std::string> values;
  while (rs.Next()) {
    VARIANT value = rs.GetData(column);
    values.push_back(kesto::automation::Variant::attach(value).toUtf8());
  }
  return values;
}
