#include "RuntimeError.h"

RuntimeError::RuntimeError(int number, QString description, QString source)
    : m_number(number)
    , m_description(std::move(description))
    , m_source(std::move(source))
    , m_what(QString::number(number).append(QLatin1Char(':')).append(m_description).toUtf8())
{
}
