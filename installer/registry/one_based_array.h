#pragma once
// A list whose elements are numbered from 1 to its count, as cRegistry hands out
// the names it enumerates. An index outside 1..count raises "Subscript out of range".
#include <cstdint>
#include <utility>
#include <vector>

#include "common/run_error.h"

namespace wf {

inline constexpr long kErrSubscriptOutOfRange = 9;

template <class T>
class OneBasedArray {
public:
    std::int32_t count() const { return static_cast<std::int32_t>(items_.size()); }
    const T& operator[](std::int32_t index) const {
        if (index < 1 || index > count()) throw RunError(kErrSubscriptOutOfRange, "Subscript out of range");
        return items_[static_cast<std::size_t>(index - 1)];
    }
    void append(T item) { items_.push_back(std::move(item)); }
    void clear() { items_.clear(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<T> items_;
};

}  // namespace wf
