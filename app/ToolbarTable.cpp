#include "ToolbarTable.h"

namespace ToolbarTable {

const QList<ToolbarEntry> &entries()
{
    using E = ToolbarEntry;
    static const QList<ToolbarEntry> table = {
        {"New", "新建(N)", "New"},
        {"Open", "打开(O)", "Open"},
        {"Save", "保存(S)", "Save"},
        {"SaveAs", "另存为...", "SaveAs"},
        {"", "", "", E::Separator},
        {"SelAll", "全选(A)", "SelAll"},
        {"Delete", "删除(D)", "Delete"},
        {"Clone", "克隆(C)", "Copy"},
        {"Prop", "属性(P)", "Prop"},
        {"Locked", "锁定(U)", "Lock", E::Check},
        {"", "", "", E::Separator},
        {"DrawSel", "选区(&R)", "ObjSel", E::Group, true},
        {"DrawLine", "直线(&L)", "ObjLine", E::Group},
        {"DrawText", "文字(&T)", "ObjText", E::Group},
        {"DrawImg", "图形(&I)", "ObjImg", E::Group},
        {"", "", "", E::Separator},
        {"Left", "左对齐", "Left"},
        {"HCenter", "水平居中", "HCenter"},
        {"Right", "右对齐", "Right"},
        {"Top", "顶对齐", "Top"},
        {"VCenter", "垂直居中", "VCenter"},
        {"Bottom", "底对齐", "Bottom"},
        {"", "", "", E::Separator},
        {"Width", "相同宽度", "Width"},
        {"Height", "相同高度", "Height"},
        {"SizeAll", "相同尺寸", "SizeAll"},
        {"", "", "", E::Separator},
        {"PageSetup", "页面(P)", "PageSetup"},
        {"View", "预览(V)", "PreView"},
        {"Exit", "退出(X)", "Exit"},
    };
    return table;
}

} // namespace ToolbarTable
