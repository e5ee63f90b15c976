// What the definition loader hands its finished categories to: the converter's main window,
// which makes a page of each. The loader itself knows nothing of windows.
#pragma once

#include "UnitCategory.h"

#include <memory>

class CategoryReceiver {
public:
    // Runs once per section, in file order, as soon as the section is complete. The receiver
    // owns the category from then on.
    virtual void AddCategoryPage(std::unique_ptr<UnitCategory> category) = 0;

protected:
    ~CategoryReceiver() = default;
};
