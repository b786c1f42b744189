// A fixed-size array allocated once and zeroed by the allocator, so untouched pages of a large buffer stay
// unmapped until first written.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>

namespace avz {

template <typename T>
class ZeroedArray {
public:
    explicit ZeroedArray(std::size_t count)
        : m_data(static_cast<T*>(std::calloc(count, sizeof(T)))), m_count(count) {
        if (!m_data) throw std::bad_alloc();
    }

    T* data() { return m_data.get(); }
    const T* data() const { return m_data.get(); }
    std::size_t size() const { return m_count; }
    T& operator[](std::size_t i) { return m_data.get()[i]; }
    const T& operator[](std::size_t i) const { return m_data.get()[i]; }

private:
    struct Free {
        void operator()(T* p) const { std::free(p); }
    };
    std::unique_ptr<T, Free> m_data;
    std::size_t m_count;
};

}  // namespace avz
