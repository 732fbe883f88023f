#include "ObjHds.h"

#include "platform/Element.h"

void ObjHds::Clear()
{
    while (m_col.Count() >= 1) {
        if (Element *element = m_col.Item(m_col.Count())->ObjCtl())
            element->setVisible(false);
        m_col.Remove(m_col.Count());
    }
    m_mayBeShown = false;
}

void ObjHds::ZOrder()
{
    for (const auto &handle : m_col) {
        if (Element *element = handle->ObjCtl())
            element->ZOrder();
    }
}

ObjHd &ObjHds::Add(int HdID, int nState, Element *ObjCtl, const QString &sKey)
{
    auto handle = std::make_unique<ObjHd>();
    handle->setHdID(HdID);
    handle->setNState(nState);
    handle->setObjCtl(ObjCtl);
    return *m_col.Add(std::move(handle), sKey);
}
