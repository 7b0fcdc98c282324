#pragma once

// Root of the program's run-time typed classes: each names itself.
class CObject {
public:
    virtual ~CObject() = default;
    virtual const char* GetRuntimeClassName() const { return "CObject"; }
};
