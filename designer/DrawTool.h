#pragma once

// The current drawing tool (gDrawMode). A drawing tool draws the object
// kind of the same number (ObjDraw::Kind); the selection tool selects,
// moves and sizes, and draws the selection band.
namespace DrawTool {

enum Code { Select = 0, Line = 1, Text = 2, Picture = 3 };

constexpr int Count = 4;

} // namespace DrawTool
