#pragma once
// Whatever shows the pictures an animation steps through.
#include <windows.h>

class CPictureTarget {
public:
    virtual bool ShowPicture(HICON icon) = 0;

protected:
    ~CPictureTarget() = default;
};
