// Runs a function when the scope ends, unless released first: the undo of a start that fails
// half-way (named as in WIL).
#pragma once

#include <utility>

namespace tolv::com {

template <class Function>
class scope_exit_guard {
public:
    explicit scope_exit_guard(Function function) noexcept : m_function(std::move(function)) {}
    scope_exit_guard(const scope_exit_guard&) = delete;
    scope_exit_guard& operator=(const scope_exit_guard&) = delete;
    ~scope_exit_guard()
    {
        if (m_armed) {
            m_function();
        }
    }
    void release() noexcept { m_armed = false; }

private:
    Function m_function;
    bool m_armed = true;
};

template <class Function>
[[nodiscard]] scope_exit_guard<Function> scope_exit(Function function) noexcept
{
    return scope_exit_guard<Function>(std::move(function));
}

}  // namespace tolv::com
