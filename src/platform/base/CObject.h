#pragma once

// Root of the framework's class tree: gives every object a virtual destructor so that
// owners may hold them through a base pointer.
class CObject {
public:
    virtual ~CObject() = default;
};
