// Scoped ownership of GDI objects, so that every object made for a paint is deleted and every
// SelectObject undone on every path out of it.
#pragma once

#include <windows.h>

// Owns a GDI object (brush, pen, font) and deletes it at the end of the scope.
template <typename Handle> struct GdiObject {
    Handle handle;
    explicit GdiObject(Handle object) : handle(object) {}
    ~GdiObject() {
        if (handle != nullptr) DeleteObject(handle);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    operator Handle() const { return handle; }
};

// Selects an object into a device context and selects the previous one back at the end of the
// scope.
struct SelectedObject {
    HDC dc;
    HGDIOBJ previous;
    SelectedObject(HDC context, HGDIOBJ object)
        : dc(context), previous(SelectObject(context, object)) {}
    ~SelectedObject() {
        if (previous != nullptr) SelectObject(dc, previous);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
};
