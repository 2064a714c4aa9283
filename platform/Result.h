#pragma once

#include "platform/FileProblem.h"

#include <concepts>
#include <optional>
#include <utility>
#include <variant>

namespace korven {

// A failure on its way into a Result, as std::unexpected is for std::expected (which the
// standard library cannot give the fuzz build's compiler yet).
template <typename E>
struct Failed {
    explicit Failed(E error_) : error(std::move(error_)) {}
    E error;
};
template <typename E>
Failed(E) -> Failed<E>;

// The failure has already been shown through a message sink; the caller has nothing to add.
struct Reported {};

// What a core operation that can fail gives back: its value, or why it failed. Reading the
// side it does not hold throws instead of reading garbage.
template <typename T, typename E = FileFailure>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    template <std::convertible_to<E> F>
    Result(Failed<F> failed) : m_state(std::in_place_index<1>, std::move(failed.error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(m_state); }
    const T& value() const& { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const E& error() const { return std::get<1>(m_state); }

private:
    std::variant<T, E> m_state;
};

template <typename E>
class [[nodiscard]] Result<void, E> {
public:
    Result() = default;
    template <std::convertible_to<E> F>
    Result(Failed<F> failed) : m_error(std::move(failed.error)) {}

    bool ok() const { return !m_error; }
    explicit operator bool() const { return ok(); }

    const E& error() const { return m_error.value(); }

private:
    std::optional<E> m_error;
};

}  // namespace korven
