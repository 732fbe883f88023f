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
    case StoreCannotOpen:
        return QStringLiteral("无法打开单据模板库：文件或文件夹不存在或不可写");
    case StoreReadOnly:
        return QStringLiteral("单据模板库是只读的，无法保存");
    case StoreBusy:
        return QStringLiteral("单据模板库正被其他程序使用，请稍后再试");
    case StoreCorrupt:
        return QStringLiteral("单据模板库文件已损坏或不是单据模板库");
    case StoreFull:
        return QStringLiteral("磁盘空间不足，单据模板库无法保存");
    case StoreFailed:
        return QStringLiteral("单据模板库读写失败");
    case StoreTooNew:
        return QStringLiteral("单据模板库由较新版本的程序建立，本程序无法使用");
    case StoreNotAStore:
        return QStringLiteral("这个文件不是单据模板库，程序不会使用或改动它");
    case StoreMissing:
        return QStringLiteral("单据模板库文件不存在");
    case StoreNeedsUpgrade:
        return QStringLiteral("单据模板库由较旧版本的程序建立，请先用设计器打开一次，它会自动升级");
    case TemplateNotFound:
        return QStringLiteral("单据模板库中没有这张单据");
    case TemplateDataCorrupt:
        return QStringLiteral("单据数据已损坏，无法打开");
    case TemplateIdsExhausted:
        return QStringLiteral("单据编号已用完，无法再保存新的单据");
    case CategoryNotFound:
        return QStringLiteral("单据类别不存在");
    case CategoryInUse:
        return QStringLiteral("该单据类别下还有单据模板，不能删除");
    case CategoryIsDemo:
        return QStringLiteral("演示数据类别不能删除或修改数据源");
    case StoreUnreachable:
        return QStringLiteral("无法连接模板服务器，请检查网络和服务器是否在运行");
    case StoreNotPermitted:
        return QStringLiteral("模板服务器上的单据模板库还没有建立或需要升级，而这个用户无权建表。"
                              "请管理员在该数据库上执行程序附带的 store/sql/postgresql-store.sql"
                              "（见 README“把模板库放到服务器上”）");
    case TemplateFileTooNew:
        return QStringLiteral("这个模板文件由较新版本的程序导出，本程序无法读取，请升级程序");
    case TemplateFileInvalid:
        return QStringLiteral("这个文件不是模板文件或已损坏，无法导入");
    case DataSourceUnreachable:
        return QStringLiteral("无法连接数据源");
    case DataSourceQueryFailed:
        return QStringLiteral("数据源的查询出错");
    case DocumentNotFound:
        return QStringLiteral("数据源中没有这张单据");
    case DemoDatabaseFailed:
        return QStringLiteral("无法建立演示数据库");
    case DataSourceTimedOut:
        return QStringLiteral("读取单据超时，已停止");
    case DataSourceCancelled:
        return QStringLiteral("读取单据已取消");
    default:
        return QStringLiteral("应用程序定义的错误");
    }
}
