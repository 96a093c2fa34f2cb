// Tables indexed by the values of an enumeration. Each row names the value
// it stands for, and RowsFollowEnum, in a static_assert beside the table,
// checks that there is one row per value in the enumeration's order: a row
// missing or out of place is a compile error instead of a lookup that
// answers for the wrong value.
#pragma once

#include <cstddef>

namespace folioteer {

template <typename Row, size_t N, typename Key>
constexpr bool RowsFollowEnum(const Row (&rows)[N], Key Row::*key, int count) {
  if (static_cast<int>(N) != count) return false;
  for (size_t i = 0; i < N; ++i)
    if (static_cast<size_t>(rows[i].*key) != i) return false;
  return true;
}

}  // namespace folioteer
