#pragma once

#include <QSize>

class QMdiSubWindow;

// What the workspace's frame adds around a designer window.
namespace WorkspaceFrame {

// Caption and borders of the frame in its normal state, in pixels, as its
// style draws them (a maximized or tabbed frame may show neither).
QSize normalAllowance(const QMdiSubWindow &frame);

} // namespace WorkspaceFrame
