#include "ToolbarTable.h"

#include "designer/ShellNames.h"

namespace ToolbarTable {

const QList<ToolbarEntry> &entries()
{
    using E = ToolbarEntry;
    static const QList<ToolbarEntry> table = {
        {ToolbarKey::New, "新建(N)", "New"},
        {ToolbarKey::Open, "打开(O)", "Open"},
        {ToolbarKey::Save, "保存(S)", "Save"},
        {ToolbarKey::SaveAs, "另存为...", "SaveAs"},
        {"", "", "", E::Separator},
        {ToolbarKey::Undo, "撤销(Ctrl+Z)", "Undo"},
        {ToolbarKey::Redo, "重做(Ctrl+Y)", "Redo"},
        {"", "", "", E::Separator},
        {ToolbarKey::SelAll, "全选(A)", "SelAll"},
        {ToolbarKey::Delete, "删除(D)", "Delete"},
        {ToolbarKey::Clone, "克隆(C)", "Copy"},
        {ToolbarKey::Prop, "属性(P)", "Prop"},
        {ToolbarKey::Locked, "锁定(U)", "Lock", E::Check},
        {"", "", "", E::Separator},
        {ToolbarKey::DrawSel, "选区(&R)", "ObjSel", E::Group, true},
        {ToolbarKey::DrawLine, "直线(&L)", "ObjLine", E::Group},
        {ToolbarKey::DrawText, "文字(&T)", "ObjText", E::Group},
        {ToolbarKey::DrawImg, "图形(&I)", "ObjImg", E::Group},
        {"", "", "", E::Separator},
        {ToolbarKey::Left, "左对齐", "Left"},
        {ToolbarKey::HCenter, "水平居中", "HCenter"},
        {ToolbarKey::Right, "右对齐", "Right"},
        {ToolbarKey::Top, "顶对齐", "Top"},
        {ToolbarKey::VCenter, "垂直居中", "VCenter"},
        {ToolbarKey::Bottom, "底对齐", "Bottom"},
        {"", "", "", E::Separator},
        {ToolbarKey::Width, "相同宽度", "Width"},
        {ToolbarKey::Height, "相同高度", "Height"},
        {ToolbarKey::SizeAll, "相同尺寸", "SizeAll"},
        {"", "", "", E::Separator},
        {ToolbarKey::PageSetup, "页面(P)", "PageSetup"},
        {ToolbarKey::View, "预览(V)", "PreView"},
        {ToolbarKey::Exit, "退出(X)", "Exit"},
        {"", "", "", E::Separator},
        {ToolbarKey::ZoomOut, "缩小(Ctrl+-)", "ZoomOut"},
        {ToolbarKey::Zoom, "缩放比例", "", E::Widget},
        {ToolbarKey::ZoomIn, "放大(Ctrl+=)", "ZoomIn"},
        {ToolbarKey::Grid, "显示网格(Ctrl+G)", "Grid", E::Check},
        {ToolbarKey::Underlay, "显示底图", "Underlay", E::Check, true},
    };
    return table;
}

QString shownTip(const char *toolTip)
{
    const QString marked = QString::fromUtf8(toolTip);
    QString shown;
    shown.reserve(marked.size());
    for (qsizetype i = 0; i < marked.size(); ++i) {
        if (marked[i] == QLatin1Char('&') && i + 1 < marked.size())
            ++i;
        shown += marked[i];
    }
    return shown;
}

} // namespace ToolbarTable
