#pragma once

#include "model/TemplateStep.h"

#include <QSizeF>

#include <vector>

// Objects moved, sized, aligned, drawn, cloned or deleted, and the page
// sized: only where each changed object lies and whether it is shown.
class PlaceStep : public TemplateStep
{
public:
    struct Change
    {
        ObjectPlace before;
        ObjectPlace after;
    };
    // Steps of this id merge with the one before when they move the same
    // objects (the arrow keys).
    static constexpr int NudgeId = 1;

    PlaceStep(BillTemplate &bill, const QString &text, std::vector<Change> changes,
              QSizeF pageBefore, QSizeF pageAfter, Selection selBefore, Selection selAfter,
              int mergeId);

    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand *other) override;

protected:
    void put(bool after) override;

private:
    std::vector<Change> m_changes;
    QSizeF m_pageBefore;
    QSizeF m_pageAfter;
    int m_mergeId;
};
