#pragma once

#include <QtGlobal>

#include <unistd.h>

// Root writes every file; the unwritable cases run as nobody (user and
// group), which root takes back afterwards.
class AsNobody
{
public:
    AsNobody()
        : m_root(geteuid() == 0)
    {
        if (m_root && (setegid(65534) != 0 || seteuid(65534) != 0))
            qFatal("cannot act as nobody");
    }
    ~AsNobody()
    {
        if (m_root && (seteuid(0) != 0 || setegid(0) != 0))
            qFatal("cannot return to root");
    }

private:
    bool m_root;
};
