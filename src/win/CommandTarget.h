#pragma once
// Something that takes the commands a window does not handle itself.
#include <windows.h>

namespace win {

class CCommandTarget {
public:
    // True when the command was handled.
    virtual bool OnCommand(UINT id) = 0;

protected:
    ~CCommandTarget() = default;
};

}  // namespace win
