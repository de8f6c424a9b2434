#pragma once

// Two constant tables as one, so that a part of a window kept in a file of its own (the
// library window's setlist pane) joins its rows, bindings and captions to the window's.

#include <array>
#include <cstddef>
#include <utility>

namespace velmora {

namespace joined_detail {
template <typename T, std::size_t A, std::size_t B, std::size_t... I, std::size_t... J>
constexpr std::array<T, A + B> JoinAt(const T (&a)[A], const T (&b)[B], std::index_sequence<I...>,
                                      std::index_sequence<J...>) {
  return {{a[I]..., b[J]...}};
}
}  // namespace joined_detail

template <typename T, std::size_t A, std::size_t B>
constexpr std::array<T, A + B> Joined(const T (&a)[A], const T (&b)[B]) {
  return joined_detail::JoinAt(a, b, std::make_index_sequence<A>{}, std::make_index_sequence<B>{});
}

}  // namespace velmora
