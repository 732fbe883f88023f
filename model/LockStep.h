#pragma once

#include "model/TemplateStep.h"

#include <vector>

// Objects locked or unlocked.
class LockStep : public TemplateStep
{
public:
    struct Change
    {
        int id = 0;
        bool locked = false; // after; before is the opposite
    };

    LockStep(BillTemplate &bill, const QString &text, std::vector<Change> changes,
             Selection selBefore, Selection selAfter);

protected:
    void put(bool after) override;

private:
    std::vector<Change> m_changes;
};
