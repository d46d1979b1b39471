#pragma once

#include <array>
#include <cstddef>

namespace zelpo {

// The program maker's web page and mail address: shown by the two link labels and opened by them.
inline constexpr char16_t kMakerWebAddress[] = u"www.example.org";
inline constexpr char16_t kMakerMailAddress[] = u"zelpo@example.org";

namespace detail {
template <std::size_t N, std::size_t M>
constexpr std::array<char16_t, N + M - 1> joinLiterals(const char16_t (&first)[N],
                                                       const char16_t (&second)[M])
{
    std::array<char16_t, N + M - 1> joined{};
    for (std::size_t i = 0; i + 1 < N; ++i) {
        joined[i] = first[i];
    }
    for (std::size_t i = 0; i < M; ++i) {
        joined[N - 1 + i] = second[i];
    }
    return joined;
}
} // namespace detail

// The mail link's caption: the address as the label shows it.
inline constexpr auto kMailLinkCaption = detail::joinLiterals(u"e-mail : ", kMakerMailAddress);

} // namespace zelpo
