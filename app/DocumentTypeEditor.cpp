#include "DocumentTypeEditor.h"

#include "DocumentTypeCatalog.h"

#include "print/ReportedSlot.h"
#include "print/ShowErrMsg.h"

#include "documents/DemoDatabase.h"
#include "documents/DocumentSource.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "platform/Units.h"
#include "store/TemplateStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QVBoxLayout>

namespace {

template<typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

DocumentTypeEditor::DocumentTypeEditor(TemplateStore &store, QComboBox &cmbSystem,
                                       QCheckBox &chkDefMode, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_cmbSystem(cmbSystem)
    , m_chkDefMode(chkDefMode)
{
    createFields();
    connectElements();
}

void DocumentTypeEditor::createFields()
{
    m_txtName = named(new QLineEdit, "TxtTypeName");
    m_cmbDriver = named(new QComboBox, "CmbDriver");
    m_cmbDriver->setEditable(true);
    m_cmbDriver->addItems(QSqlDatabase::drivers());
    m_txtDatabase = named(new QLineEdit, "TxtDatabase");
    m_txtHost = named(new QLineEdit, "TxtHost");
    m_txtPort = named(new QLineEdit, "TxtPort");
    m_txtPort->setValidator(new QIntValidator(0, 65535, m_txtPort));
    m_txtUser = named(new QLineEdit, "TxtUser");
    m_txtOptions = named(new QLineEdit, "TxtOptions");
    m_txtTimeout = named(new QLineEdit, "TxtTimeout");
    m_txtTimeout->setValidator(
        new QIntValidator(Category::MinTimeout, Category::MaxTimeout, m_txtTimeout));
    m_txtHeaderQuery = named(new QPlainTextEdit, "TxtHeaderQuery");
    m_txtDetailQuery = named(new QPlainTextEdit, "TxtDetailQuery");
    for (QPlainTextEdit *query : {m_txtHeaderQuery, m_txtDetailQuery}) {
        query->setTabChangesFocus(true);
        query->setFixedHeight(query->fontMetrics().lineSpacing() * 4 + 10);
    }
    m_txtHeaderQuery->setPlaceholderText(QStringLiteral("SELECT ... WHERE 单据号 = :BillNo"));
    m_txtDetailQuery->setPlaceholderText(
        QStringLiteral("SELECT ... WHERE 单据号 = :BillNo ORDER BY 行号"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("类别名称(&N):"), m_txtName);
    form->addRow(QStringLiteral("数据库驱动(&V):"), m_cmbDriver);
    form->addRow(QStringLiteral("数据库(&B):"), m_txtDatabase);
    form->addRow(QStringLiteral("服务器(&H):"), m_txtHost);
    form->addRow(QStringLiteral("端口(&P):"), m_txtPort);
    form->addRow(QStringLiteral("用户名(&U):"), m_txtUser);
    form->addRow(QStringLiteral("连接选项(&X):"), m_txtOptions);
    form->addRow(QStringLiteral("查询时限(秒)(&M):"), m_txtTimeout);
    form->addRow(QStringLiteral("表头查询(&Q):"), m_txtHeaderQuery);
    form->addRow(QStringLiteral("明细查询(&L):"), m_txtDetailQuery);
    auto *note = new QLabel(QStringLiteral("密码不保存，每次运行程序后首次连接时询问。"));
    note->setWordWrap(true);
    form->addRow(QString(), note);

    m_cmdNew = named(new QPushButton(QStringLiteral("新增(&A)")), "CmdNew");
    m_cmdSave = named(new QPushButton(QStringLiteral("保存(&S)")), "CmdSave");
    m_cmdTest = named(new QPushButton(QStringLiteral("测试连接(&T)")), "CmdTest");
    m_cmdRemove = named(new QPushButton(QStringLiteral("删除(&R)")), "CmdRemove");
    for (QPushButton *button : {m_cmdNew, m_cmdSave, m_cmdTest, m_cmdRemove})
        button->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_cmdNew, m_cmdSave, m_cmdTest, m_cmdRemove})
        buttons->addWidget(button);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void DocumentTypeEditor::connectElements()
{
    connect(&m_cmbSystem, &QComboBox::currentIndexChanged, this,
            reportedSlot(this, &DocumentTypeEditor::CmbSystem_Click));
    connect(&m_chkDefMode, &QCheckBox::clicked, this,
            reportedSlot(this, &DocumentTypeEditor::ChkDefMode_Click));
    connect(m_cmdNew, &QPushButton::clicked, this,
            reportedSlot(this, &DocumentTypeEditor::CmdNew_Click));
    connect(m_cmdSave, &QPushButton::clicked, this,
            reportedSlot(this, &DocumentTypeEditor::CmdSave_Click));
    connect(m_cmdTest, &QPushButton::clicked, this,
            reportedSlot(this, &DocumentTypeEditor::CmdTest_Click));
    connect(m_cmdRemove, &QPushButton::clicked, this,
            reportedSlot(this, &DocumentTypeEditor::CmdRemove_Click));
}

void DocumentTypeEditor::reload(int16_t selectID)
{
    m_types = m_store.categories();
    if (selectID < 0)
        m_pendingDefault = m_store.defaultCategory();
    const int16_t wanted = selectID < 0 ? m_pendingDefault : selectID;
    m_filling = true;
    m_cmbSystem.clear();
    int at = 0;
    for (const Category &type : m_types) {
        if (type.id == wanted)
            at = m_cmbSystem.count();
        m_cmbSystem.addItem(type.name, type.id);
    }
    m_filling = false;
    m_cmbSystem.setCurrentIndex(m_types.isEmpty() ? -1 : at);
    CmbSystem_Click();
}

int16_t DocumentTypeEditor::currentID() const
{
    return m_cmbSystem.currentIndex() < 0 ? int16_t(-1)
                                          : int16_t(m_cmbSystem.currentData().toInt());
}

void DocumentTypeEditor::CmbSystem_Click()
{
    if (m_filling)
        return;
    const int16_t id = currentID();
    for (const Category &type : m_types) {
        if (type.id == id) {
            showType(type);
            return;
        }
    }
    Category none;
    none.id = -1;
    showType(none);
}

// The demonstration is shown with the source it has built in.
void DocumentTypeEditor::showType(const Category &type)
{
    Category shown = type;
    const bool demo = type.id == DemoDatabase::CategoryID;
    if (demo) {
        shown.driver = QStringLiteral("QSQLITE");
        shown.databaseName = DemoDatabase::path();
        shown.headerQuery = DemoDatabase::headerQuery();
        shown.detailQuery = DemoDatabase::detailQuery();
    }
    m_txtName->setText(shown.name);
    m_cmbDriver->setCurrentText(shown.driver);
    m_txtDatabase->setText(shown.databaseName);
    m_txtHost->setText(shown.host);
    m_txtPort->setText(shown.port > 0 ? QString::number(shown.port) : QString());
    m_txtUser->setText(shown.user);
    m_txtOptions->setText(shown.options);
    m_txtTimeout->setText(QString::number(shown.statementTimeout));
    m_txtHeaderQuery->setPlainText(shown.headerQuery);
    m_txtDetailQuery->setPlainText(shown.detailQuery);
    const bool editable = type.id > 0;
    for (QWidget *field : std::initializer_list<QWidget *>{
             m_txtName, m_cmbDriver, m_txtDatabase, m_txtHost, m_txtPort, m_txtUser, m_txtOptions,
             m_txtTimeout})
        field->setEnabled(editable);
    m_txtHeaderQuery->setReadOnly(!editable);
    m_txtDetailQuery->setReadOnly(!editable);
    m_cmdSave->setEnabled(editable);
    m_cmdRemove->setEnabled(editable);
    m_cmdTest->setEnabled(type.id >= 0);
    m_chkDefMode.setEnabled(type.id >= 0);
    m_chkDefMode.setChecked(type.id >= 0 && type.id == m_pendingDefault);
}

Category DocumentTypeEditor::editedType() const
{
    Category type;
    type.id = currentID();
    type.name = m_txtName->text().trimmed();
    type.driver = m_cmbDriver->currentText().trimmed();
    type.databaseName = m_txtDatabase->text().trimmed();
    type.host = m_txtHost->text().trimmed();
    type.port = m_txtPort->text().toInt();
    type.user = m_txtUser->text().trimmed();
    type.options = m_txtOptions->text().trimmed();
    const QString timeout = Units::asciiWidth(m_txtTimeout->text()).trimmed();
    type.statementTimeout = timeout.isEmpty() ? Category::DefaultTimeout : timeout.toInt();
    type.headerQuery = m_txtHeaderQuery->toPlainText().trimmed();
    type.detailQuery = m_txtDetailQuery->toPlainText().trimmed();
    return type;
}

// Unticking the default leaves new templates to the demonstration.
void DocumentTypeEditor::ChkDefMode_Click()
{
    const int16_t id = currentID();
    if (id < 0)
        return;
    if (m_chkDefMode.isChecked())
        m_pendingDefault = id;
    else if (m_pendingDefault == id)
        m_pendingDefault = DemoDatabase::CategoryID;
}

void DocumentTypeEditor::apply()
{
    if (m_pendingDefault != m_store.defaultCategory())
        m_store.setDefaultCategory(m_pendingDefault);
}

void DocumentTypeEditor::publish()
{
    DocumentTypeCatalog::publish(m_store);
}

void DocumentTypeEditor::CmdNew_Click()
{
    const QString name = Platform::dialogs()
                             .InputBox(QStringLiteral("请输入单据类别名称："),
                                       QStringLiteral("新增单据类别"), QString())
                             .trimmed();
    if (name.isEmpty())
        return;
    Category type;
    type.id = -1;
    type.name = name;
    type.driver = QStringLiteral("QSQLITE");
    int16_t id = 0;
    try {
        id = m_store.saveCategory(type);
    } catch (const RuntimeError &error) {
        ShowErrMsg(QStringLiteral("新增单据类别失败：") + error.Description());
        return;
    }
    publish();
    reload(id);
}

bool DocumentTypeEditor::refused(const Category &type)
{
    QString message;
    QWidget *field = nullptr;
    const DocumentType asRead = DocumentTypeCatalog::toDocumentType(type);
    if (type.name.isEmpty()) {
        message = QStringLiteral("请输入单据类别名称！");
        field = m_txtName;
    } else if (type.statementTimeout < Category::MinTimeout
               || type.statementTimeout > Category::MaxTimeout) {
        message = QStringLiteral("查询时限必须在 %1 到 %2 秒之间！")
                      .arg(Category::MinTimeout)
                      .arg(Category::MaxTimeout);
        field = m_txtTimeout;
    } else if (asRead.hasSource()) {
        if (const QString missing = DocumentSource::missingParameter(asRead); !missing.isEmpty()) {
            message = QStringLiteral("单据类别“%1”没有保存：%2。\n查询要用参数 :BillNo 取得那张单据，"
                                     "否则每个单据号都会印出同样的内容。")
                          .arg(type.name, missing);
            field = missing.startsWith(QStringLiteral("表头")) ? static_cast<QWidget *>(m_txtHeaderQuery)
                                                              : m_txtDetailQuery;
        }
    }
    if (!field)
        return false;
    Platform::dialogs().MsgBox(message, MsgButtons::OK, MsgIcon::Exclamation,
                               window()->windowTitle());
    field->setFocus();
    return true;
}

void DocumentTypeEditor::CmdSave_Click()
{
    const Category type = editedType();
    if (type.id <= 0 || refused(type))
        return;
    try {
        m_store.saveCategory(type);
    } catch (const RuntimeError &error) {
        ShowErrMsg(QStringLiteral("保存单据类别失败：") + error.Description());
        return;
    }
    publish();
    reload(type.id);
    Platform::dialogs().MsgBox(QStringLiteral("保存成功！"), MsgButtons::OK, MsgIcon::Exclamation,
                               window()->windowTitle());
}

// Tests what the fields show, stored or not, so a source is tried before
// it is kept.
void DocumentTypeEditor::CmdTest_Click()
{
    const int16_t id = currentID();
    if (id < 0)
        return;
    DocumentType type = DocumentTypeCatalog::toDocumentType(editedType());
    try {
        if (id == DemoDatabase::CategoryID)
            type = DemoDatabase::documentType();
        DocumentSource source(type);
        source.test();
    } catch (const RuntimeError &error) {
        Platform::dialogs().MsgBox(error.Description(), MsgButtons::OK, MsgIcon::Exclamation,
                                   type.name);
        return;
    }
    Platform::dialogs().MsgBox(QStringLiteral("连接成功"), MsgButtons::OK, MsgIcon::Information,
                               type.name);
}

void DocumentTypeEditor::CmdRemove_Click()
{
    const int16_t id = currentID();
    if (id <= 0)
        return;
    const QString name = m_cmbSystem.currentText();
    if (Platform::dialogs().MsgBox(QStringLiteral("确实要删除单据类别“%1”吗？").arg(name),
                                   MsgButtons::YesNo, MsgIcon::Question, window()->windowTitle())
        != MsgResult::Yes)
        return;
    try {
        m_store.removeCategory(id);
    } catch (const RuntimeError &error) {
        ShowErrMsg(QStringLiteral("删除失败：") + error.Description());
        return;
    }
    if (m_pendingDefault == id)
        m_pendingDefault = m_store.defaultCategory();
    const int16_t keep = m_pendingDefault;
    publish();
    reload(keep);
}
