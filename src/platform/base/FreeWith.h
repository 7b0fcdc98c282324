#pragma once

// A unique_ptr deleter that hands the pointer to a C library's own release function, so
// each owned handle type is one line: std::unique_ptr<PangoLayout, FreeWith<g_object_unref>>.
template <auto Release>
struct FreeWith {
    template <typename T>
    void operator()(T* handle) const {
        Release(handle);
    }
};
