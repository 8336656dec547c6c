#pragma once

#include <cstddef>
#include <iterator>

#include <QtGlobal>

namespace tarn {

// Element `i` of an array or vector, for the int counts the model speaks in (mixer, input,
// slot, pointer, parameter): the one place where such a count becomes a container's index.
template <class Container, class Index> constexpr decltype(auto) at(Container& items, Index i)
{
    const auto k = static_cast<std::size_t>(i);
    Q_ASSERT(k < std::size(items));
    return items[k];
}

} // namespace tarn
