#pragma once

#include <windows.h>
#include <commctrl.h>

// The small icons of the lists, by the numbers the rows carry: 1 graphics,
// 2 sound, 3 CD-ROM, 4 controller, 5 RSP, 6 PlayStation, 7 Nintendo 64,
// 8 both systems.
class ListIcons {
public:
    explicit ListIcons(double scale);
    ~ListIcons();
    ListIcons(const ListIcons&) = delete;
    ListIcons& operator=(const ListIcons&) = delete;
    HIMAGELIST handle() const { return images_; }

private:
    HIMAGELIST images_;
};
