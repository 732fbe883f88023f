#include "RuntimeError.h"

RuntimeError::RuntimeError(enum Number number, QString reason, QString source)
    : m_number(number)
    , m_description(std::move(reason))
    , m_source(std::move(source))
    , m_what(QString::number(number).append(QLatin1Char(':')).append(m_description).toUtf8())
{
}

RuntimeError::RuntimeError(enum Number number, QString source)
    : RuntimeError(number, standardDescription(number), std::move(source))
{
}

QString RuntimeError::standardDescription(int number)
{
    switch (number) {
    case InvalidArgument:
        return QStringLiteral("无效的过程调用或参数");
    case Overflow:
        return QStringLiteral("溢出");
    case SubscriptOutOfRange:
        return QStringLiteral("下标越界");
    case DivisionByZero:
        return QStringLiteral("除数为零");
    case TypeMismatch:
        return QStringLiteral("类型不匹配");
    case ObjectNotSet:
        return QStringLiteral("对象变量未设置");
    case ElementNotLoaded:
        return QStringLiteral("控件数组元素不存在");
    case ElementAlreadyLoaded:
        return QStringLiteral("对象已经加载");
    case InvalidPropertyValue:
        return QStringLiteral("无效的属性值");
    case DuplicateKey:
        return QStringLiteral("此键已经与集合中的一个元素相关联");
    case CannotLoadPicture:
        return QStringLiteral("无效的图片");
    case PrinterError:
        return QStringLiteral("打印机错误");
    case DialogCancelled:
        return QStringLiteral("选择了“取消”");
    case ObjectLimitReached:
        return QStringLiteral("对象数量已超出上限！");
    default:
        return QStringLiteral("应用程序定义的错误");
    }
}
